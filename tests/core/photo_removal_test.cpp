// Setting photos aside into the Removed folders on a real archive.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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
  // Loads the names as the loaded group and selects the flagged ones.
  static void Select(const Names& names, const std::vector<int>& flags) {
    PhotoNames = {""};
    PhotoNames.insert(PhotoNames.end(), names.begin(), names.end());
    SelectedFlags = {0};
    SelectedFlags.insert(SelectedFlags.end(), flags.begin(), flags.end());
  }
};

TEST_F(PhotoRemovalTest, EveryFileOfAPhotoGoesAsideAndASecondRemovalKeepsTheFirst) {
  AddFull("a.jpg", "one");
  PhotoRemovalResult r;
  RemovePhotoFiles("a.jpg", r);
  EXPECT_EQ(r.removed, Names{"a.jpg"});
  EXPECT_TRUE(r.keptPhotos.empty() && r.leftFiles.empty());
  EXPECT_EQ(Read("Photos/Removed/a.jpg"), "one");
  EXPECT_EQ(Read("Photo_Audio/Removed/a.jpg.wav"), "clip-one");
  EXPECT_TRUE(Exists("Photo_Info/Removed/a.jpg.info"));
  for (const char* gone : {"Photos/a.jpg", "Photo_Audio/a.jpg.wav", "Photo_Info/a.jpg.info", "Photo_Thumbnails/a.jpg"})
    EXPECT_FALSE(Exists(gone)) << gone;

  // A photo of the same name later: the earlier copies stay, the new ones are numbered.
  AddFull("a.jpg", "two");
  RemovePhotoFiles("a.jpg", r);
  EXPECT_EQ(Read("Photos/Removed/a.jpg"), "one");
  EXPECT_EQ(Read("Photos/Removed/a (2).jpg"), "two");
  EXPECT_EQ(Read("Photo_Audio/Removed/a.jpg (2).wav"), "clip-two");
}

TEST_F(PhotoRemovalTest, ALinkedPhotoLosesItsInformationButItsFileIsNotTouched) {
  Write("elsewhere/b.jpg", "linked");
  Write("Photo_Info/b.jpg.info", CrLf({"PhotoPath=" + Path("elsewhere/b.jpg"), "TITLE=b"}));
  Write("Photo_Thumbnails/b.jpg", "thumb");
  PhotoRemovalResult r;
  RemovePhotoFiles("b.jpg", r);
  EXPECT_EQ(r.removed, Names{"b.jpg"});
  EXPECT_EQ(Read("elsewhere/b.jpg"), "linked");
  EXPECT_TRUE(Exists("Photo_Info/Removed/b.jpg.info"));
  EXPECT_FALSE(Exists("Photo_Info/b.jpg.info") || Exists("Photo_Thumbnails/b.jpg"));
}

TEST_F(PhotoRemovalTest, APhotoThatCannotBeSetAsideStaysWholeAndAStuckFileIsNamed) {
  AddFull("a.jpg", "one");
  AddFull("b.jpg", "two");
  // A file where the Removed folder should be: nothing can be copied there.
  Write("Photos/Removed", "in the way");
  PhotoRemovalResult r;
  RemovePhotoFiles("a.jpg", r);
  EXPECT_EQ(r.keptPhotos, Names{"a.jpg"});
  EXPECT_TRUE(r.removed.empty() && r.leftFiles.empty());
  for (const char* kept : {"Photos/a.jpg", "Photo_Audio/a.jpg.wav", "Photo_Info/a.jpg.info", "Photo_Thumbnails/a.jpg"})
    EXPECT_TRUE(Exists(kept)) << kept;

  // The photo went but its information cannot follow: the file is named.
  std::remove(Path("Photos/Removed").c_str());
  Write("Photo_Info/Removed", "in the way");
  RemovePhotoFiles("b.jpg", r);
  EXPECT_EQ(r.leftFiles, Names{InfoFolder + "b.jpg.info"});
  EXPECT_EQ(Read("Photos/Removed/b.jpg"), "two");
  EXPECT_TRUE(Exists("Photo_Info/b.jpg.info"));
}

TEST_F(PhotoRemovalTest, OnlyFlaggedPlainNamesAreRemovedEachOnce) {
  AddFull("a.jpg", "one");
  AddFull("b.jpg", "two");
  Write("outside", "not a photo");
  MakeRemovedFolders();
  for (const char* f : {"Photos/Removed", "Photo_Info/Removed", "Photo_Audio/Removed"})
    EXPECT_TRUE(std::filesystem::is_directory(Path(f))) << f;
  Select({"a.jpg", "b.jpg", "a.jpg", "../outside"}, {1, 0, 1, 1});
  const PhotoRemovalResult r = RemoveSelectedPhotoFiles();
  EXPECT_EQ(r.removed, Names{"a.jpg"});
  EXPECT_TRUE(Exists("Photos/b.jpg"));
  EXPECT_EQ(Read("outside"), "not a photo");
  EXPECT_FALSE(Exists("Photos/Removed/a (2).jpg"));
}

}  // namespace
