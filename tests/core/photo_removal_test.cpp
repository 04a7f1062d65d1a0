// Setting photos aside into the Removed folders on a real archive.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/photo_removal.h"
#include "support/fs_faults.h"
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

TEST_F(PhotoRemovalTest, APhotoGoesOnlyWhenAllItsFilesAreCopiedAndOnlyFlaggedPlainNamesGo) {
  // A file where one Removed folder should be: nothing can be copied there.
  for (const std::string blocked : {"Photos", "Photo_Info", "Photo_Audio"}) {
    std::filesystem::remove_all(Path(blocked + "/Removed"));
    Write(blocked + "/Removed", "in the way");
    AddFull("a.jpg", "one");
    AddPhoto("b.jpg", "two");  // no clip
    Write("outside", "not a photo");
    PhotoNames = {"", "a.jpg", "b.jpg", "a.jpg", "../outside"};
    SelectedFlags = {0, 1, 0, 1, 1};
    const PhotoRemovalResult r = RemoveSelectedPhotoFiles();
    EXPECT_TRUE(r.removed.empty() && r.leftFiles.empty()) << blocked;
    EXPECT_EQ(r.keptPhotos, Names{"a.jpg"}) << blocked;
    EXPECT_EQ(Read("Photos/a.jpg"), "one") << blocked;
    EXPECT_EQ(Read("Photo_Audio/a.jpg.wav"), "clip-one") << blocked;
    EXPECT_TRUE(Exists("Photo_Info/a.jpg.info") && Exists("Photo_Thumbnails/a.jpg")) << blocked;
    // The copies already made are taken back.
    for (const char* copy : {"Photos/Removed/a.jpg", "Photo_Info/Removed/a.jpg.info", "Photo_Audio/Removed/a.jpg.wav"})
      EXPECT_FALSE(Exists(copy)) << blocked << " " << copy;
    EXPECT_TRUE(Exists("Photos/b.jpg")) << blocked;
    EXPECT_EQ(Read("outside"), "not a photo");
    std::filesystem::remove(Path(blocked + "/Removed"));
  }

  // Without the blocking file the same photo goes whole, and b.jpg without a clip too.
  PhotoRemovalResult r;
  for (const char* name : {"a.jpg", "b.jpg"}) RemovePhotoFiles(name, r);
  EXPECT_EQ(r.removed, (Names{"a.jpg", "b.jpg"}));
  EXPECT_EQ(Read("Photo_Audio/Removed/a.jpg.wav"), "clip-one");
  EXPECT_FALSE(Exists("Photos/a.jpg") || Exists("Photo_Info/b.jpg.info") || Exists("Photo_Thumbnails/a.jpg"));
}

TEST_F(PhotoRemovalTest, AFolderThatWillNotLetAFileGoKeepsTheWholePhoto) {
  AddFull("a.jpg", "one");
  // Its Removed folder lies elsewhere and takes the copy; the photo folder itself
  // cannot let the photo go.
  std::filesystem::create_directories(Path("set-aside"));
  std::filesystem::create_directories(Path("Photos/Removed"));  // a link there would take nothing
  ReadOnlyFolder locked(Path("Photos"));
  ASSERT_TRUE(locked.ok());
  ASSERT_TRUE(::geteuid() != 0 ||
              ::mount(Path("set-aside").c_str(), Path("Photos/Removed").c_str(), nullptr, MS_BIND, nullptr) == 0);
  PhotoRemovalResult r;
  RemovePhotoFiles("a.jpg", r);
  ::umount2(Path("Photos/Removed").c_str(), MNT_DETACH);
  EXPECT_EQ(r.keptPhotos, Names{"a.jpg"});
  EXPECT_TRUE(Exists("Photo_Info/a.jpg.info") && Exists("Photo_Audio/a.jpg.wav") && Exists("Photo_Thumbnails/a.jpg"));
  EXPECT_EQ(AllEntries(Path("set-aside")).size(), 0u);
  EXPECT_FALSE(Exists("Photo_Info/Removed/a.jpg.info") || Exists("Photo_Audio/Removed/a.jpg.wav"));
}

}  // namespace
