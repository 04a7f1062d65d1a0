// The whole start of the program on a real program folder: folders, the splash
// window during the check, the clean-up, and the main window built last.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "platform/clock.h"
#include "platform/program_folder.h"
#include "platform/ui_runtime.h"
#include "support/check_fixture.h"

namespace {

class StartupTest : public CheckTest {
protected:
  void SetUp() override {
    CheckTest::SetUp();
    // The first-run notice is the main window's business, tested with it.
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
  }
  void TearDown() override {
    if (frmMain::IsLoaded()) frmMain::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    CheckTest::TearDown();
  }
};

bool Listed(const std::string& name) { return std::find(PhotoNames.begin(), PhotoNames.end(), name) != PhotoNames.end(); }

}  // namespace

TEST_F(StartupTest, FirstStartInAnEmptyProgramFolder) {
  QTemporaryDir empty;
  ASSERT_TRUE(empty.isValid());
  const std::string root = empty.path().toStdString();
  qm::SetProgramFolderForTests(root);

  EXPECT_EQ(Main(), -1);

  for (const char* folder : kArchiveFolders) EXPECT_TRUE(qm::FolderExists(root + "/" + folder)) << folder;
  EXPECT_EQ(RootFolder, root);
  EXPECT_EQ(PhotosFolder, root + "/Photos/");
  EXPECT_EQ(SlideGroupsFolder, root + "/Photo_SlideGroups/");
  EXPECT_EQ(qm::ReadFileBytes(root + "/Photo_SlideGroups/  All Photos  .lst"), "");
  EXPECT_TRUE(prompter.Prompts().empty());
  ASSERT_TRUE(frmMain::IsLoaded());
  EXPECT_TRUE(frmMain::Get().isVisible());
  EXPECT_FALSE(frmSplash::IsLoaded());
  EXPECT_EQ(qm::ScreenPointer(), qm::Pointer::Default);
  EXPECT_FALSE(ReadOnlyArchive);
}

TEST_F(StartupTest, ABlankGroupFolderEndsTheProgramBeforeAnyWindow) {
  gSettings.SetDravenholtSetting(kAppName, "SourceFolders", "SlideGroups", "");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_GE(Main(), 0);
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Critical Error-SubMain: SlideGroup path is blank!");
  EXPECT_EQ(prompter.Prompts()[0].title, "Quillmont");
  EXPECT_EQ(prompter.Prompts()[0].buttons, qm::MsgButtons::OK);
  EXPECT_FALSE(frmSplash::IsLoaded());
  EXPECT_FALSE(frmMain::IsLoaded());
  EXPECT_EQ(qm::ScreenPointer(), qm::Pointer::Default);
}

TEST_F(StartupTest, TheMainWindowIsBuiltAfterTheCheckAndShowsWhatItLeft) {
  AddCheckedPhoto("a.jpg");
  Write("Photos/new.jpg", "no information file yet");
  AddOrphan("gone.jpg");
  Write("Photo_SlideGroups/Trip.lst", CrLf({"a.jpg", "gone.jpg"}));
  bool mainDuringCheck = false, splashSeen = false;
  {
    AtEveryYield watch([&] {
      // The check is running until it fills the bar.
      if (!frmSplash::IsLoaded() || BarWidth() == FullBar()) return;
      splashSeen = splashSeen || frmSplash::Get().isVisible();
      mainDuringCheck = mainDuringCheck || frmMain::IsLoaded();
    });
    EXPECT_EQ(Main(), -1);
  }
  EXPECT_TRUE(splashSeen);
  EXPECT_FALSE(mainDuringCheck);
  EXPECT_TRUE(Exists("Photo_Info/Removed/gone.jpg.info"));
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"a.jpg"})) << "the clean-up ran";
  // The main window read the all-photos group as rewritten by the check.
  EXPECT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
  EXPECT_TRUE(Listed("a.jpg"));
  EXPECT_TRUE(Listed("new.jpg"));
  EXPECT_FALSE(Listed("gone.jpg"));
  EXPECT_FALSE(frmSplash::IsLoaded());
}

TEST_F(StartupTest, SkipDuringTheCheckSkipsTheCleanUpOfThisStart) {
  AddCheckedPhoto("a.jpg");
  AddOrphan("gone.jpg");
  Write("Photo_SlideGroups/Trip.lst", CrLf({"a.jpg", "lost.jpg"}));
  {
    AtEveryYield watch([&] {
      if (frmSplash::IsLoaded() && !BypassAutoCheck) frmSplash::Get().cmdByPassAutoCheck->click();
    });
    EXPECT_EQ(Main(), -1);
  }
  EXPECT_TRUE(BypassAutoCheck);
  EXPECT_EQ(Read("Photo_SlideGroups/Trip.lst"), CrLf({"a.jpg", "lost.jpg"}));
  EXPECT_TRUE(Exists("Photo_Info/gone.jpg.info"));
  EXPECT_TRUE(frmMain::IsLoaded());
  EXPECT_FALSE(frmSplash::IsLoaded());
}

TEST_F(StartupTest, BlankFoldersNeverMakeTheWorkingFolderPartOfTheArchive) {
  QTemporaryDir work;
  ASSERT_TRUE(work.isValid());
  const std::string cwd = work.path().toStdString();
  qm::ReplaceFileAtomically(cwd + "/a.jpg", "the user's own file");
  qm::ReplaceFileAtomically(cwd + "/notes.txt", "more of the user's");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(cwd);
  AddJpeg("a.jpg", 64, 48);
  for (const char* key : {"Info", "Thumbnails", "Photos", "AudioClips", "MidiMusic"})
    gSettings.SetDravenholtSetting(kAppName, "SourceFolders", key, "");

  const int rc = Main();
  std::filesystem::current_path(before);

  EXPECT_EQ(rc, -1);
  EXPECT_EQ(AllEntries(cwd), (std::vector<std::string>{"a.jpg", "notes.txt"}));
  EXPECT_EQ(qm::ReadFileBytes(cwd + "/a.jpg"), "the user's own file");
  EXPECT_TRUE(Exists("Photo_Thumbnails/a.jpg")) << "the thumbnail went to the default folder";
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf({"a.jpg"}));
}

TEST_F(StartupTest, TheStartRemovesTemporaryFilesThatAKilledRunLeft) {
  const std::int64_t now = std::time(nullptr) + 7200;  // made now, judged two hours on
  qm::SetClockForTests(now);
  AddCheckedPhoto("a.jpg");
  const std::vector<std::string> folders = {"", "Photos/", "Photo_Thumbnails/", "Photo_Info/", "Photo_SlideGroups/",
                                            "Photo_Audio/", "Photo_Midi/", "Photo_Info/Removed/",
                                            "Photos/Removed/", "Photo_Audio/Removed/"};
  for (const std::string& f : folders) {
    Write(f + ".qm-tmp-K1lled", "killed");
    SetTime(f + ".qm-tmp-K1lled", now - 7200);
  }
  Write("Photo_SlideGroups/.qm-tmp-notes.txt", "the user's, only named like ours");

  EXPECT_EQ(Main(), -1);

  for (const std::string& f : folders) EXPECT_FALSE(Exists(f + ".qm-tmp-K1lled")) << f;
  EXPECT_TRUE(Exists("Photo_SlideGroups/.qm-tmp-notes.txt"));
}

TEST_F(StartupTest, AFullDiskIsToldAndTheArchiveStaysInTheProgramFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "a small disk is a tmpfs mount, which needs root";
  for (const bool inodes : {true, false}) {  // filled with files till no inode, or one file till no byte, is left
    ASSERT_EQ(::mount("tmpfs", Root().c_str(), "tmpfs", 0, inodes ? "nr_inodes=64" : "size=1m"), 0);
    for (int i = 0; std::ofstream(Path(std::to_string(inodes * i)), std::ios::app) << std::string(!inodes * 65536, 'x');)
      ++i;
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    EXPECT_EQ(Main(), -1);
    EXPECT_EQ(SlideGroupsFolder, Path("Photo_SlideGroups/"));
    const std::string told = "The disk of the program folder " + Root() + " is full (No space left on device).";
    EXPECT_EQ(prompter.Prompts().at(inodes ? 0 : 1).text.substr(0, told.size()), told);
    frmMain::Unload();
    ::umount2(Root().c_str(), MNT_DETACH);
  }
}
