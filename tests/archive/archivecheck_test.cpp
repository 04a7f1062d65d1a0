// The archive check of every start on real program folders: what it sets aside,
// rebuilds and creates, what it asks first, and where it stops.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>

#include "archive/archivecheck.h"
#include "archive/splash_progress.h"
#include "core/archive_rules.h"
#include "core/readonly.h"
#include "intake/frmThumbnail.h"
#include "platform/program_folder.h"
#include "support/check_fixture.h"
#include "support/readonly_mount.h"

namespace {

const std::string kOrphanQuestion1 =
    "Quillmont has detected 1 INFO file(s) without corresponding photo/image file(s).\n"
    "Move the INFO files to the 'Removed' folder?";

std::string ThumbQuestion(int n) {
  return "Quillmont has detected " + std::to_string(n) +
         " photo/image file(s) with missing or out-of-date corresponding thumbnail(s). Press 'YES' create "
         "thumbnail(s). Press 'NO' to ignore.";
}

}  // namespace

class ArchiveCheckTest : public CheckTest {};

TEST_F(ArchiveCheckTest, ByDefaultAnOrphanIsSetAsideUnaskedAndTheGroupRewritten) {
  AddCheckedPhoto("a.jpg");
  AddOrphan("gone.jpg");
  const std::string orphan = Read("Photo_Info/gone.jpg.info");
  Write("Photo_Info/Removed/gone.jpg.info", "an older copy");

  CheckFolderContents();

  EXPECT_TRUE(prompter.Prompts().empty());
  EXPECT_FALSE(Exists("Photo_Info/gone.jpg.info"));
  EXPECT_EQ(Read("Photo_Info/Removed/gone.jpg.info"), "an older copy") << "a different copy is never overwritten";
  EXPECT_EQ(Read("Photo_Info/Removed/gone.jpg (2).info"), orphan);
  EXPECT_TRUE(Exists("Photo_Info/a.jpg.info"));
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf({"a.jpg"}));
  EXPECT_EQ(Read("Photo_Thumbnails/a.jpg"), "BM-thumbnail") << "an up-to-date thumbnail is left alone";
  EXPECT_EQ(BarWidth(), FullBar());
}

TEST_F(ArchiveCheckTest, AnInformationFileIsDeletedOnlyWhenItsCopyIsInPlace) {
  AddOrphan("gone.jpg");
  AddOrphan("lost.jpg");
  ASSERT_TRUE(SetAsideInfoFile("lost.jpg.info"));
  EXPECT_FALSE(Exists("Photo_Info/lost.jpg.info"));
  EXPECT_TRUE(Exists("Photo_Info/Removed/lost.jpg.info"));

  // A file where the folder should be: neither folder nor copy can be made.
  std::filesystem::remove_all(Path("Photo_Info/Removed"));
  Write("Photo_Info/Removed", "not a folder");
  const std::string before = Read("Photo_Info/gone.jpg.info");
  EXPECT_FALSE(SetAsideInfoFile("gone.jpg.info"));
  EXPECT_EQ(Read("Photo_Info/gone.jpg.info"), before);
  EXPECT_FALSE(SetAsideInfoFile("never-there.jpg.info"));
}

TEST_F(ArchiveCheckTest, AFailedSetAsideLeavesTheOthersGoing) {
  AddOrphan("a.jpg");
  AddOrphan("b.jpg");
  // b's copy cannot be written: a folder stands in its place.
  std::filesystem::create_directories(Path("Photo_Info/Removed/b.jpg.info"));
  PhotoFilesExist(true);
  EXPECT_FALSE(Exists("Photo_Info/a.jpg.info"));
  EXPECT_TRUE(Exists("Photo_Info/Removed/a.jpg.info"));
  EXPECT_TRUE(Exists("Photo_Info/b.jpg.info")) << "an information file without a copy stays";
}

TEST_F(ArchiveCheckTest, WithoutAutoFixEitherNoKeepsTheFilesAndYesYesMovesThem) {
  SetAutoFix("False");
  AddOrphan("gone.jpg");

  // The kept file's photo has no thumbnail either, so that question follows.
  prompter.ExpectMsg(qm::MsgAnswer::No);
  prompter.ExpectMsg(qm::MsgAnswer::No);
  CheckFolderContents();
  ASSERT_EQ(prompter.Prompts().size(), 2u);
  EXPECT_EQ(prompter.Prompts()[0].text, kOrphanQuestion1);
  EXPECT_EQ(prompter.Prompts()[0].title, "Missing Photo/Image File(s)");
  EXPECT_EQ(prompter.Prompts()[0].buttons, qm::MsgButtons::YesNo);
  EXPECT_EQ(prompter.Prompts()[1].title, "Build Thumbnails");
  EXPECT_TRUE(Exists("Photo_Info/gone.jpg.info"));

  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  prompter.ExpectMsg(qm::MsgAnswer::No);
  PhotoFilesExist(false);
  ASSERT_EQ(prompter.Prompts().size(), 4u);
  EXPECT_EQ(prompter.Prompts()[3].text, "Are you sure?");
  EXPECT_EQ(prompter.Prompts()[3].title, "Removed unassociated INFO file(s)");
  EXPECT_TRUE(Exists("Photo_Info/gone.jpg.info"));
  EXPECT_FALSE(Exists("Photo_Info/Removed/gone.jpg.info"));

  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  PhotoFilesExist(false);
  EXPECT_FALSE(Exists("Photo_Info/gone.jpg.info"));
  EXPECT_TRUE(Exists("Photo_Info/Removed/gone.jpg.info"));
}

TEST_F(ArchiveCheckTest, AnAutoFixValueThatIsNoTruthValueIsLoggedAndTheCheckAsks) {
  SetAutoFix("sometimes");
  AddOrphan("gone.jpg");
  prompter.ExpectMsg(qm::MsgAnswer::No);
  prompter.ExpectMsg(qm::MsgAnswer::No);
  CheckFolderContents();
  EXPECT_TRUE(LogHas("An error has occurred in 'CheckFolderContents'. Error = Type mismatch"));
  ASSERT_EQ(prompter.Prompts().size(), 2u);
  EXPECT_EQ(prompter.Prompts()[0].text, kOrphanQuestion1);
  EXPECT_EQ(prompter.Prompts()[1].text, ThumbQuestion(1));
  EXPECT_TRUE(Exists("Photo_Info/gone.jpg.info"));
  // The later steps still ran.
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf({"gone.jpg"}));
}

TEST_F(ArchiveCheckTest, ASingleOrphanKeepsTheBarAtTheStepStartAndStillAsks) {
  SetAutoFix("False");
  AddOrphan("gone.jpg");
  std::vector<int> widths;
  prompter.ExpectMsg(qm::MsgAnswer::No);
  {
    AtEveryYield watch([&] { widths.push_back(BarWidth()); });
    PhotoFilesExist(false);
  }
  EXPECT_EQ(prompter.Prompts().size(), 1u);
  ASSERT_FALSE(widths.empty());
  for (int w : widths) EXPECT_EQ(w, 0);
}

TEST_F(ArchiveCheckTest, AThumbnailIsDueWhenMissingEmptyOrDatedOtherwiseToTheSecond) {
  AddCheckedPhoto("same.jpg", 1500000000);
  AddCheckedPhoto("later.jpg", 1500000000);
  SetTime("Photo_Thumbnails/later.jpg", 1500000001);
  AddCheckedPhoto("empty.jpg");
  Write("Photo_Thumbnails/empty.jpg", "");
  SetTime("Photo_Thumbnails/empty.jpg", 1500000000);
  AddPhoto("nothumb.jpg");
  AddOrphan("nophoto.jpg");
  Write("Photo_Thumbnails/nophoto.jpg", "BM");

  std::string name;
  EXPECT_FALSE(ThumbnailNeedsBuilding("same.jpg.info", name));
  EXPECT_EQ(name, "same.jpg");
  EXPECT_TRUE(ThumbnailNeedsBuilding("later.jpg.info", name));
  EXPECT_TRUE(ThumbnailNeedsBuilding("empty.jpg.info", name));
  EXPECT_TRUE(ThumbnailNeedsBuilding("nothumb.jpg.info", name));
  EXPECT_TRUE(ThumbnailNeedsBuilding("nophoto.jpg.info", name));
  EXPECT_EQ(name, "nophoto.jpg");

  // Write-protected: what exists stays, what is missing is still listed.
  ReadOnlyArchive = true;
  EXPECT_FALSE(ThumbnailNeedsBuilding("later.jpg.info", name));
  EXPECT_FALSE(ThumbnailNeedsBuilding("empty.jpg.info", name));
  EXPECT_TRUE(ThumbnailNeedsBuilding("nothumb.jpg.info", name));
  ReadOnlyArchive = false;
}

TEST_F(ArchiveCheckTest, AThumbnailOneSecondOutOfDateIsRebuiltAndTheSameTimeIsNot) {
  AddJpeg("old.jpg", 320, 240);
  AddJpeg("fresh.jpg", 320, 240);
  SetTime("Photos/old.jpg", 1500000000);
  SetTime("Photos/fresh.jpg", 1500000000);
  Write("Photo_Thumbnails/old.jpg", "BM-stale");
  SetTime("Photo_Thumbnails/old.jpg", 1499999999);
  Write("Photo_Thumbnails/fresh.jpg", "kept");
  SetTime("Photo_Thumbnails/fresh.jpg", 1500000000);

  SetAutoFix("False");
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  ThumbnailFilesExist(false);

  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, ThumbQuestion(1));
  EXPECT_EQ(prompter.Prompts()[0].title, "Build Thumbnails");
  EXPECT_FALSE(frmThumbnail::IsLoaded()) << "the check goes on once the builder has closed";
  const QImage rebuilt(QString::fromStdString(Path("Photo_Thumbnails/old.jpg")), "BMP");
  EXPECT_EQ(rebuilt.size(), QSize(100, 75));
  EXPECT_EQ(qm::FileDateTime(Path("Photo_Thumbnails/old.jpg")), 1500000000);
  EXPECT_EQ(Read("Photo_Thumbnails/fresh.jpg"), "kept");
}

TEST_F(ArchiveCheckTest, AMissingInformationFileIsCreatedWithARelativeLinkAndOnlyThen) {
  AddCheckedPhoto("a.jpg");
  Write("Photos/new.jpg", "bytes");
  Write("Photos/notes.txt", "any file of the folder");
  const std::string kept = Read("Photo_Info/a.jpg.info");
  // AutoFix off: the thumbnail step then asks, and counts the new photos.
  SetAutoFix("False");
  prompter.ExpectMsg(qm::MsgAnswer::No);

  CheckFolderContents();

  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, ThumbQuestion(2)) << "the new photos reach the thumbnail step";
  const auto lines = qm::ReadTextLines(Path("Photo_Info/new.jpg.info"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "PhotoPath=\\Photos\\new.jpg");
  EXPECT_TRUE(Exists("Photo_Info/notes.txt.info"));
  EXPECT_EQ(Read("Photo_Info/a.jpg.info"), kept);
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf({"a.jpg", "new.jpg", "notes.txt"}));
}

TEST_F(ArchiveCheckTest, PhotosKeptElsewhereGetTheirFullPath) {
  QTemporaryDir other;
  ASSERT_TRUE(other.isValid());
  const std::string folder = other.path().toStdString() + "/Pictures/";
  std::filesystem::create_directories(folder);
  gSettings.SetDravenholtSetting(kAppName, "SourceFolders", "Photos", folder);
  ReadFolderSettings();
  ASSERT_EQ(PhotosFolder, folder);
  EXPECT_EQ(LinkForPhotoInFolder("x.jpg"), folder + "x.jpg");

  qm::ReplaceFileAtomically(folder + "x.jpg", "bytes");
  InfoFilesExist();
  const auto lines = qm::ReadTextLines(Path("Photo_Info/x.jpg.info"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "PhotoPath=" + folder + "x.jpg");
  // The next start finds the photo through that link: nothing is set aside.
  PhotoFilesExist(true);
  EXPECT_TRUE(Exists("Photo_Info/x.jpg.info"));

  gSettings.SetDravenholtSetting(kAppName, "SourceFolders", "Photos", Root() + "/Photos/");
  ReadFolderSettings();
  EXPECT_EQ(LinkForPhotoInFolder("x.jpg"), "\\Photos\\x.jpg");
}

TEST_F(ArchiveCheckTest, SkipDuringTheThumbnailStepEndsTheCheckWithTheBarFull) {
  SetAutoFix("False");
  for (const char* n : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) AddPhoto(n);  // no thumbnails
  Write("Photos/new.jpg", "no information file yet");
  bool pressed = false;
  int widthAtPress = -1;
  {
    // Past the thumbnail step's first item, the bar is beyond half.
    AtEveryYield watch([&] {
      if (!pressed && BarWidth() > FullBar() / 2 + 1) {
        widthAtPress = BarWidth();
        frmSplash::Get().cmdByPassAutoCheck->click();
        pressed = true;
      }
    });
    CheckFolderContents();
  }
  ASSERT_TRUE(pressed);
  EXPECT_LT(widthAtPress, FullBar() * 3 / 4);
  EXPECT_TRUE(BypassAutoCheck);
  EXPECT_TRUE(prompter.Prompts().empty()) << "the step ends without its question";
  EXPECT_TRUE(Exists("Photo_Info/new.jpg.info")) << "the step before it ran";
  EXPECT_TRUE(qm::ListFiles(Path("Photo_Thumbnails")).empty());
  EXPECT_FALSE(Exists("Photo_SlideGroups/  All Photos  .lst"));
  EXPECT_EQ(BarWidth(), FullBar());
}

TEST_F(ArchiveCheckTest, TheBarFollowsEachStepsQuarterAndIgnoresValuesOutOfRange) {
  for (const char* n : {"a.jpg", "b.jpg", "c.jpg"}) AddCheckedPhoto(n);
  std::vector<int> widths;
  {
    AtEveryYield watch([&] {
      if (widths.empty() || widths.back() != BarWidth()) widths.push_back(BarWidth());
    });
    CheckFolderContents();
  }
  // Three items per step: start, middle, end of each quarter, then the full bar.
  const std::vector<int> want = {0, 50, 100, 150, 201, 251, 301, 351, 401};
  EXPECT_EQ(widths, want);

  UpdateSplashProgress(-0.1f, 1);
  UpdateSplashProgress(1.5f, 1);
  UpdateSplashProgress(0.5f, 0);
  EXPECT_EQ(BarWidth(), FullBar());
  UpdateSplashProgress(0.5f, 2);
  EXPECT_EQ(BarWidth(), 100);
}

TEST_F(ArchiveCheckTest, ProgressAfterStartUpDoesNotBringTheSplashBack) {
  ASSERT_FALSE(frmSplash::IsLoaded());
  UpdateSplashProgress(0.5f, 1);
  EXPECT_FALSE(frmSplash::IsLoaded());
}

TEST_F(ArchiveCheckTest, AWriteProtectedArchiveListsOnlyMissingThumbnails) {
  QTemporaryDir other;
  ASSERT_TRUE(other.isValid());
  AddCheckedPhoto("stale.jpg", 1500000000);
  SetTime("Photo_Thumbnails/stale.jpg", 1400000000);
  AddPhoto("missing.jpg");
  gSettings.SetDravenholtSetting(kAppName, "Installation", "Path", other.path().toStdString() + "/install");
  ReadOnlyMount mount;
  const std::string disc = other.path().toStdString() + "/cdrom";
  MOUNT_READ_ONLY_OR_SKIP(mount, Root(), disc);
  qm::SetProgramFolderForTests(disc);
  SetArchiveRoot();
  CreateArchiveFolders();
  ReadFolderSettings();
  CheckDirPaths();
  ASSERT_TRUE(ReadOnlyArchive);

  SetAutoFix("False");
  prompter.ExpectMsg(qm::MsgAnswer::No);
  ThumbnailFilesExist(false);
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, ThumbQuestion(1));
  ReadOnlyArchive = false;
}
