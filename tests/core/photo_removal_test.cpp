// Setting photos aside into the Removed folders on a real archive.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/photo_removal.h"
#include "support/temp_archive.h"

namespace {

using Names = std::vector<std::string>;

class PhotoRemovalTest : public TempArchive {
protected:
  void AddFull(const std::string& name, const std::string& bytes) {
    AddPhoto(name, bytes);
    Write("Photo_Audio/" + name + ".wav", "clip-" + bytes);
    Write("Photo_Thumbnails/" + name, "thumb");
  }
};

TEST_F(PhotoRemovalTest, ASecondRemovalKeepsTheFirstCopiesAndALinkedPhotoFileIsNotTouched) {
  PhotoRemovalResult r;
  for (const char* bytes : {"one", "two"}) {
    AddFull("a.jpg", bytes);
    RemovePhotoFiles("a.jpg", r);
  }
  EXPECT_EQ(r.removed, (Names{"a.jpg", "a.jpg"}));
  EXPECT_EQ(Read("Photos/Removed/a.jpg"), "one");
  EXPECT_EQ(Read("Photos/Removed/a (2).jpg"), "two");
  EXPECT_EQ(Read("Photo_Audio/Removed/a.jpg (2).wav"), "clip-two");

  Write("elsewhere/b.jpg", "linked");
  Write("Photo_Info/b.jpg.info", CrLf({"PhotoPath=" + Path("elsewhere/b.jpg"), "TITLE=b"}));
  Write("Photo_Thumbnails/b.jpg", "thumb");
  RemovePhotoFiles("b.jpg", r);
  EXPECT_EQ(r.removed.back(), "b.jpg");
  EXPECT_EQ(Read("elsewhere/b.jpg"), "linked");
  EXPECT_TRUE(Exists("Photo_Info/Removed/b.jpg.info"));
  EXPECT_FALSE(Exists("Photo_Info/b.jpg.info") || Exists("Photo_Thumbnails/b.jpg"));
  EXPECT_TRUE(r.keptPhotos.empty() && r.leftFiles.empty());
}

TEST_F(PhotoRemovalTest, InformationThatCannotFollowItsPhotoIsNamedAndOnlyFlaggedPlainNamesGo) {
  AddFull("a.jpg", "one");
  AddFull("b.jpg", "two");
  Write("outside", "not a photo");
  // A file where the Removed folder should be: nothing can be copied there.
  Write("Photo_Info/Removed", "in the way");
  PhotoNames = {"", "a.jpg", "b.jpg", "a.jpg", "../outside"};
  SelectedFlags = {0, 1, 0, 1, 1};
  const PhotoRemovalResult r = RemoveSelectedPhotoFiles();
  EXPECT_TRUE(r.removed.empty() && r.keptPhotos.empty());
  EXPECT_EQ(r.leftFiles, Names{InfoFolder + "a.jpg.info"});
  EXPECT_EQ(Read("Photos/Removed/a.jpg"), "one");
  EXPECT_TRUE(Exists("Photo_Info/a.jpg.info") && Exists("Photos/b.jpg"));
  EXPECT_EQ(Read("outside"), "not a photo");
}

}  // namespace
