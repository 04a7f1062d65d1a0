#include <gtest/gtest.h>

#include <filesystem>

#include "core/groupcleanup.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "support/readonly_mount.h"
#include "support/temp_archive.h"

namespace {

class GroupCleanupTest : public TempArchive {
protected:
  void Info(const std::string& name, const std::string& content = "PhotoPath=\\Photos\\x\r\n") {
    Write("Photo_Info/" + name, content);
  }
  void Group(const std::string& name, const std::vector<std::string>& lines) {
    Write("Photo_SlideGroups/" + name, CrLf(lines));
  }
  std::string GroupText(const std::string& name) const { return Read("Photo_SlideGroups/" + name); }
  // Temporary files must not stay.
  std::vector<std::string> GroupFolderEntries() const { return AllEntries(Path("Photo_SlideGroups")); }
};

TEST_F(GroupCleanupTest, AllPhotosGroupListsEveryInformationFileInListOrder) {
  Info("beach.jpg.info");
  Info("Alps.JPG.info");
  Info("clip.avi.info", "");
  Info("notes.backup");         // no ".info" ending: a file of the user's, no photo
  Info(".hidden.jpg.info");     // hidden names are not listed
  Write("Photo_Info/Removed/old.jpg.info", "x");
  Group(kAllPhotosFile, {"stale.jpg"});

  EXPECT_TRUE(Create_AllPhotos_Group(kAllPhotosFile));

  EXPECT_TRUE(Exists("Photo_SlideGroups/  All Photos  .lst"));
  EXPECT_EQ(GroupText("  All Photos  .lst"), "Alps.JPG\r\nbeach.jpg\r\nclip.avi\r\n");
  EXPECT_EQ(GroupFolderEntries(), std::vector<std::string>{"  All Photos  .lst"});
}

TEST_F(GroupCleanupTest, EmptyInformationFolderGivesEmptyAllPhotosGroup) {
  Group(kAllPhotosFile, {"a.jpg", "b.jpg"});
  EXPECT_TRUE(Create_AllPhotos_Group(kAllPhotosFile));
  EXPECT_TRUE(Exists("Photo_SlideGroups/" + kAllPhotosFile));
  EXPECT_EQ(GroupText(kAllPhotosFile), "");
}

TEST_F(GroupCleanupTest, CleanUpDropsLinesWithoutInformationAndKeepsTheOrder) {
  Info("a.jpg.info");
  Info("b.jpg.info");
  Info("c.jpg.info");
  Info("empty.jpg.info", "");
  Group("Trip.lst", {"c.jpg", "gone.jpg", "a.jpg", "", "empty.jpg", "B.JPG", "b.jpg", "a.jpg"});
  Write("Photo_SlideGroups/readme.txt", "a.jpg\nsome words\n");  // no group list: left alone
  Group(kAllPhotosFile, {"a.jpg", "b.jpg", "c.jpg"});
  const std::string untouched = "a.jpg\nb.jpg";  // nothing to drop: bytes stay as they were

  Write("Photo_SlideGroups/Fine.lst", untouched);
  RemoveMissingPhotosFromGroup();

  EXPECT_EQ(GroupText("Trip.lst"), CrLf({"c.jpg", "a.jpg", "b.jpg", "a.jpg"}));
  EXPECT_EQ(GroupText("readme.txt"), "a.jpg\nsome words\n");
  EXPECT_EQ(GroupText(kAllPhotosFile), CrLf({"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(GroupText("Fine.lst"), untouched);
  EXPECT_EQ(GroupFolderEntries(),
            (std::vector<std::string>{"  All Photos  .lst", "Fine.lst", "Trip.lst", "readme.txt"}));

  // A second run finds nothing more to do.
  const std::string trip = GroupText("Trip.lst");
  RemoveMissingPhotosFromGroup();
  EXPECT_EQ(GroupText("Trip.lst"), trip);
}

// The group folder set to the program folder, with the program in it: only names
// ending in ".lst", in any case, are group lists; nothing else is read or written.
TEST_F(GroupCleanupTest, OnlyTheListsOfAFolderOfOtherFilesAreCleaned) {
  gSettings.SetDravenholtSetting(kAppName, "SourceFolders", "SlideGroups", "\\");
  ReadFolderSettings();
  Info("a.jpg.info");
  const std::string program = std::string("\x7F" "ELF\2\1\1\0", 8) + "a.jpg\n" + std::string(3000, '\0') + "\r\nz";
  const std::pair<std::string, std::string> files[] = {{"quillmont", program},
                                                       {"notes.txt", CrLf({"a.jpg", "my own words"})},
                                                       {"y.lst.bak", CrLf({"gone.jpg", "a.jpg"})},
                                                       {"x.LST", CrLf({"gone.jpg", "a.jpg"})}};
  for (const auto& [name, bytes] : files) Write(name, bytes);
  RemoveMissingPhotosFromGroup();
  for (const auto& [name, bytes] : files) EXPECT_EQ(Read(name), name == "x.LST" ? CrLf({"a.jpg"}) : bytes) << name;
}

TEST_F(GroupCleanupTest, PhotoSetAsideLeavesEveryGroupAndTheRewrittenAllPhotosGroup) {
  Info("a.jpg.info");
  Info("b.jpg.info");
  Group("One.lst", {"b.jpg", "a.jpg"});
  Group("Two.lst", {"a.jpg"});
  ASSERT_TRUE(Create_AllPhotos_Group(kAllPhotosFile));
  std::filesystem::create_directories(Path("Photo_Info/Removed"));
  std::filesystem::rename(Path("Photo_Info/a.jpg.info"), Path("Photo_Info/Removed/a.jpg.info"));

  RemoveMissingPhotosFromGroup();

  EXPECT_EQ(GroupText("One.lst"), CrLf({"b.jpg"}));
  EXPECT_EQ(GroupText("Two.lst"), "");
  EXPECT_EQ(GroupText(kAllPhotosFile), CrLf({"b.jpg"}));
}

TEST_F(GroupCleanupTest, FolderTheListsCannotBeWrittenToKeepsEveryGroup) {
  Info("a.jpg.info");
  Group(kAllPhotosFile, {"old.jpg"});
  Group("Trip.lst", {"gone.jpg", "a.jpg"});
  ReadOnlyMount ro;
  MOUNT_READ_ONLY_OR_SKIP(ro, Path("Photo_SlideGroups"), Path("Photo_SlideGroups"));

  EXPECT_FALSE(Create_AllPhotos_Group(kAllPhotosFile));
  RemoveMissingPhotosFromGroup();  // passes over each group once and ends

  EXPECT_EQ(GroupText(kAllPhotosFile), CrLf({"old.jpg"}));
  EXPECT_EQ(GroupText("Trip.lst"), CrLf({"gone.jpg", "a.jpg"}));
  ro.Unmount();
  EXPECT_EQ(GroupFolderEntries(), (std::vector<std::string>{"  All Photos  .lst", "Trip.lst"}));
}

TEST_F(GroupCleanupTest, AGroupFolderThatCannotBeListedIsLoggedAndNothingIsWritten) {
  // A folder that is a link to itself can be neither listed nor looked into.
  std::filesystem::create_directory_symlink(Path("loop"), Path("loop"));
  SlideGroupsFolder = Path("loop") + "/";
  RemoveMissingPhotosFromGroup();
  EXPECT_TRUE(LogHas("An error has occurred in 'RemoveMissingPhotosFromGroup'"));
  EXPECT_FALSE(Create_AllPhotos_Group(kAllPhotosFile));
}

}  // namespace
