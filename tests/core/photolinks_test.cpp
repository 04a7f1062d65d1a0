#include <gtest/gtest.h>

#include <filesystem>

#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "support/temp_archive.h"

using PhotoLinksTest = TempArchive;

TEST_F(PhotoLinksTest, RelativeLinkResolvesBelowTheProgramFolder) {
  AddPhoto("beach.jpg");
  EXPECT_EQ(GetPhotoLink("beach.jpg.info"), Root() + "/Photos/beach.jpg");
  EXPECT_TRUE(CheckPhotoLink(GetPhotoLink("beach.jpg.info")));

  // Lower-case key; the join of folder and value is a single separator.
  Write("Photo_Info/sea.jpg.info", CrLf({"TITLE=sea", "photopath=\\Photos\\sub\\sea.jpg", "YEAR=2001"}));
  EXPECT_EQ(GetPhotoLink("sea.jpg.info"), Root() + "/Photos/sub/sea.jpg");
  // Whatever stands in the tenth place, the value starts in the eleventh.
  Write("Photo_Info/x.jpg.info", "PhotoPath:\\Photos\\x.jpg\n");
  EXPECT_EQ(GetPhotoLink("x.jpg.info"), Root() + "/Photos/x.jpg");
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(PhotoLinksTest, TheFirstLinkLineWins) {
  Write("Photo_Info/a.jpg.info", CrLf({"PHOTOPATH=/mnt/card/a.jpg", "PhotoPath=\\Photos\\a.jpg"}));
  EXPECT_EQ(GetPhotoLink("a.jpg.info"), "/mnt/card/a.jpg");
}

TEST_F(PhotoLinksTest, NoLinkMeansTheDefaultPhotoFolder) {
  Write("Photo_Info/empty.jpg.info", "");
  EXPECT_EQ(GetPhotoLink("empty.jpg.info"), Root() + "/Photos/empty.jpg");
  Write("Photo_Info/nolink.png.info", CrLf({"TITLE=x", "PHOTOGRAPHER=y", "PHOTOPAT=z"}));
  EXPECT_EQ(GetPhotoLink("nolink.png.info"), Root() + "/Photos/nolink.png");
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(PhotoLinksTest, InformationComesFromTheInfoFolderWhereverThatIs) {
  InfoFolder = Path("elsewhere/");
  Write("elsewhere/b.jpg.info", "PhotoPath=\\Photos\\b.jpg\r\n");
  EXPECT_EQ(GetPhotoLink("b.jpg.info"), Root() + "/Photos/b.jpg");
}

TEST_F(PhotoLinksTest, AFullPathIsReturnedUnchangedEvenWhenItsFileIsGone) {
  const std::string gone = Path("outside/gone.jpg");
  Write("Photo_Info/gone.jpg.info", CrLf({"PhotoPath=" + gone}));
  EXPECT_EQ(GetPhotoLink("gone.jpg.info"), gone);
  EXPECT_FALSE(CheckPhotoLink(gone));
  Write("outside/gone.jpg", "back");
  EXPECT_TRUE(CheckPhotoLink(gone));
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(PhotoLinksTest, CheckWantsAFileOfAtLeastOneByte) {
  Write("Photos/zero.jpg", "");
  Write("Photos/one.jpg", "1");
  std::filesystem::create_directories(Path("Photos/folder.jpg"));
  EXPECT_FALSE(CheckPhotoLink(Path("Photos/zero.jpg")));
  EXPECT_TRUE(CheckPhotoLink(Path("Photos/one.jpg")));
  EXPECT_FALSE(CheckPhotoLink(Path("Photos/folder.jpg")));
  // A stored relative value is checked as well as a resolved one.
  EXPECT_TRUE(CheckPhotoLink("\\Photos\\one.jpg"));
  EXPECT_FALSE(CheckPhotoLink("\\Photos\\zero.jpg"));
  EXPECT_FALSE(CheckPhotoLink("\\Photos\\none.jpg"));
  EXPECT_FALSE(CheckPhotoLink(Path("nofolder/x.jpg")));
  EXPECT_FALSE(CheckPhotoLink(Path("Photos/one.jpg/x.jpg")));
  EXPECT_FALSE(CheckPhotoLink(""));
  EXPECT_TRUE(LogEntries().empty()) << "missing files and folders are not logged";
}

TEST_F(PhotoLinksTest, CheckLogsOtherErrors) {
  qm::SetClockForTests(1000000000);
  EXPECT_FALSE(CheckPhotoLink(Path(std::string(300, 'n') + ".jpg")));
  EXPECT_EQ(LogEntries(), std::vector<std::string>{LogEntryStamp(1000000000) +
                                                   "An error has occurred in 'CheckPhotoLink'. Error = "
                                                   "Path/File access error"});
}

TEST_F(PhotoLinksTest, AMissingInformationFileGivesNothingAndOneLogLine) {
  qm::SetClockForTests(1000000000);
  EXPECT_EQ(GetPhotoLink("missing.jpg.info"), "");
  EXPECT_EQ(LogEntries(), std::vector<std::string>{LogEntryStamp(1000000000) +
                                                   "An error has occurred in 'GetPhotoLink'. Error = File not found"});
  EXPECT_FALSE(CheckPhotoLink(GetPhotoLink("missing.jpg.info")));
  EXPECT_EQ(LogEntries().size(), 2u);
}

TEST_F(PhotoLinksTest, StoredLinksResolve) {
  EXPECT_EQ(ResolveStoredLink("\\Photos\\a.jpg"), Root() + "/Photos/a.jpg");
  EXPECT_EQ(ResolveStoredLink("/home/me/a.jpg"), "/home/me/a.jpg");
  // Not relative: no leading backslash, so used as it stands.
  EXPECT_EQ(ResolveStoredLink("c:\\pics\\a.jpg"), "c:\\pics\\a.jpg");
  EXPECT_EQ(ResolveStoredLink(""), "");

  // At the file system's root the program folder is empty.
  const std::string saved = RootFolder;
  RootFolder = "";
  EXPECT_EQ(ResolveStoredLink("\\Photos\\a.jpg"), "/Photos/a.jpg");
  RootFolder = saved;
}
