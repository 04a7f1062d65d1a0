#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>

#include "core/modquillmont.h"
#include "core/readonly.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"
#include "support/readonly_mount.h"
#include "support/temp_archive.h"

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kDiscTime = 1600000000;

class ReadOnlyTest : public TempArchive {
protected:
  void SetUp() override {
    TempArchive::SetUp();
    ASSERT_TRUE(other_.isValid());
    install_ = Elsewhere("Programs/Dravenholt/Quillmont");
    gSettings.SetDravenholtSetting(kAppName, "Installation", "Path", install_);
  }
  void TearDown() override {
    mount_.Unmount();
    TempArchive::TearDown();
  }

  // A disc: three photos of 1000 bytes, two information files, two group lists and a
  // file of the user's called "test.txt", shown read-only at another folder that
  // becomes the program folder. The disc's contents stay changeable through Root().
  void StartFromDisc() {
    for (const char* p : {"a.jpg", "b.jpg", "c.jpg"}) Write(std::string("Photos/") + p, std::string(1000, 'p'));
    Write("Photo_Info/a.jpg.info", "PhotoPath=\\Photos\\a.jpg\r\n");
    Write("Photo_Info/b.jpg.info", "PhotoPath=\\Photos\\b.jpg\r\n");
    Write("Photo_Info/Removed/c.jpg.info", "old");
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"a.jpg", "b.jpg"}));
    Write("Photo_SlideGroups/Trip.lst", CrLf({"b.jpg"}));
    Write("test.txt", "the user's own notes");
    for (const char* f : {"Photo_Info/a.jpg.info", "Photo_Info/b.jpg.info", "Photo_SlideGroups/  All Photos  .lst",
                          "Photo_SlideGroups/Trip.lst", "test.txt"})
      SetTime(f, kDiscTime);
    disc_ = Elsewhere("cdrom");
    MOUNT_READ_ONLY_OR_SKIP(mount_, Root(), disc_);
    Restart();
  }
  // What a new start does before the read-only check.
  void Restart() {
    qm::SetProgramFolderForTests(disc_);
    ReadOnlyArchive = false;
    SetArchiveRoot();
    CreateArchiveFolders();
    ReadFolderSettings();
  }
  std::string Copy(const std::string& rel) const { return install_ + "/CD-3000/" + rel; }
  std::string CopyText(const std::string& rel) const {
    try {
      return qm::ReadFileBytes(Copy(rel));
    } catch (...) {
      return "<missing>";
    }
  }

  std::string Elsewhere(const std::string& rel) const { return other_.path().toStdString() + "/" + rel; }

  std::string install_;
  std::string disc_;
  ReadOnlyMount mount_;

private:
  QTemporaryDir other_;
};

TEST_F(ReadOnlyTest, WritableProgramFolderChangesNothing) {
  Write("test.txt", "the user's own notes");
  SetTime("test.txt", kDiscTime);
  const auto before = AllEntries(Root());
  const std::string info = InfoFolder, groups = SlideGroupsFolder;

  CheckDirPaths();

  EXPECT_FALSE(ReadOnlyArchive);
  EXPECT_EQ(InfoFolder, info);
  EXPECT_EQ(SlideGroupsFolder, groups);
  EXPECT_EQ(Read("test.txt"), "the user's own notes");
  EXPECT_EQ(qm::FileDateTime(Path("test.txt")), kDiscTime);
  EXPECT_EQ(AllEntries(Root()), before);  // the probe left nothing behind
  EXPECT_FALSE(fs::exists(install_));
  EXPECT_FALSE(IsReadOnlyFolder(Root() + "/"));
}

TEST_F(ReadOnlyTest, FirstUseFromDiscCopiesInformationAndGroupsToPerDiscFolders) {
  StartFromDisc();
  if (IsSkipped()) return;
  const std::string photos = PhotosFolder, thumbs = ThumbnailsFolder;

  CheckDirPaths();

  EXPECT_TRUE(ReadOnlyArchive);
  EXPECT_EQ(InfoFolder, install_ + "/CD-3000/Photo_Info/");
  EXPECT_EQ(SlideGroupsFolder, install_ + "/CD-3000/Photo_Slidegroups/");
  EXPECT_EQ(PhotosFolder, photos);
  EXPECT_EQ(ThumbnailsFolder, thumbs);
  EXPECT_EQ(AllEntries(Copy("Photo_Info")), (std::vector<std::string>{"a.jpg.info", "b.jpg.info"}));
  EXPECT_EQ(AllEntries(Copy("Photo_Slidegroups")), (std::vector<std::string>{"  All Photos  .lst", "Trip.lst"}));
  EXPECT_EQ(CopyText("Photo_Info/b.jpg.info"), "PhotoPath=\\Photos\\b.jpg\r\n");
  EXPECT_EQ(CopyText("Photo_Slidegroups/  All Photos  .lst"), CrLf({"a.jpg", "b.jpg"}));
  // A copy carries the disc's time, so the next start does not copy it again.
  EXPECT_EQ(qm::FileDateTime(Copy("Photo_Info/a.jpg.info")), kDiscTime);
  EXPECT_EQ(Read("test.txt"), "the user's own notes");
  EXPECT_EQ(qm::FileDateTime(Path("test.txt")), kDiscTime);
}

TEST_F(ReadOnlyTest, LaterStartKeepsNewerEditsAndTakesNewerDiscFiles) {
  StartFromDisc();
  if (IsSkipped()) return;
  CheckDirPaths();
  // Edited on the hard disk since; on a newer disc b is updated and d is new.
  ASSERT_NO_THROW(qm::WriteTextLinesAtomically(Copy("Photo_Info/a.jpg.info"), {"TITLE=edited"}));
  ASSERT_TRUE(qm::SetFileModified(Copy("Photo_Info/a.jpg.info"), kDiscTime + 60));
  Write("Photo_Info/b.jpg.info", "TITLE=newer disc\r\n");
  SetTime("Photo_Info/b.jpg.info", kDiscTime + 1);
  Write("Photo_Info/d.jpg.info", "TITLE=new\r\n");
  Write("Photo_SlideGroups/Trip.lst", CrLf({"a.jpg"}));  // same time as the copy: kept
  SetTime("Photo_SlideGroups/Trip.lst", kDiscTime);

  Restart();
  CheckDirPaths();

  EXPECT_EQ(CopyText("Photo_Info/a.jpg.info"), "TITLE=edited\r\n");
  EXPECT_EQ(CopyText("Photo_Info/b.jpg.info"), "TITLE=newer disc\r\n");
  EXPECT_EQ(qm::FileDateTime(Copy("Photo_Info/b.jpg.info")), kDiscTime + 1);
  EXPECT_EQ(CopyText("Photo_Info/d.jpg.info"), "TITLE=new\r\n");
  EXPECT_EQ(CopyText("Photo_Slidegroups/Trip.lst"), CrLf({"b.jpg"}));
}

TEST_F(ReadOnlyTest, WithoutInstallationSettingCopiesGoToTheUserDataFolder) {
  qm::SetSettingsFolderForTests(Elsewhere("fresh-config"));  // no Installation\Path stored
  StartFromDisc();
  if (IsSkipped()) return;
  QStandardPaths::setTestModeEnabled(true);
  const std::string data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
  CheckDirPaths();
  QStandardPaths::setTestModeEnabled(false);
  ASSERT_FALSE(data.empty());
  EXPECT_EQ(InfoFolder, data + "/CD-3000/Photo_Info/");
  EXPECT_TRUE(qm::FileExists(InfoFolder + "a.jpg.info"));
  fs::remove_all(data + "/CD-3000");
  std::error_code ignored;
  fs::remove(data, ignored);  // only when nothing else lives there
}

TEST_F(ReadOnlyTest, ProbeOnReadOnlyFolderSetsTheFlagForGood) {
  StartFromDisc();
  if (IsSkipped()) return;
  EXPECT_TRUE(IsReadOnlyFolder(disc_));
  EXPECT_TRUE(ReadOnlyArchive);
  EXPECT_FALSE(IsReadOnlyFolder(Root()));
  EXPECT_TRUE(ReadOnlyArchive);  // nothing sets it back
  EXPECT_FALSE(IsReadOnlyFolder(Root() + "/no such folder")) << "not there is not write-protected";
}

TEST_F(ReadOnlyTest, DiscNameIsTheByteTotalOfThePhotoFolder) {
  const std::string one = Root() + "/one", two = Root() + "/two";
  Write("one/Photos/a.jpg", std::string(1000, 'x'));
  Write("one/Photos/b.jpg", std::string(2000, 'x'));
  Write("two/Photos/other.png", std::string(3000, 'y'));
  Write("two/Photos/.hidden", std::string(5, 'h'));  // not a normal file
  Write("two/Photos/Sub/deep.jpg", std::string(7, 'd'));
  EXPECT_EQ(GetCDFolderName(one), "CD-3000");
  EXPECT_EQ(GetCDFolderName(two), "CD-3000");  // two discs share one per-disc folder
  EXPECT_EQ(GetCDFolderName(Root() + "/nothing"), "CD-0");

  // Beyond the 32-bit range the total still names the disc (sparse files).
  Write("big/Photos/a.mov", "");
  Write("big/Photos/b.mov", "");
  fs::resize_file(Path("big/Photos/a.mov"), 3'000'000'000);
  fs::resize_file(Path("big/Photos/b.mov"), 3'000'000'001);
  EXPECT_EQ(GetCDFolderName(Root() + "/big"), "CD-6000000001");
}

TEST_F(ReadOnlyTest, CopyNewerFilesComparesToTheSecond) {
  const std::string src = Root() + "/src/", dst = Root() + "/dst/";
  Write("src/same.info", "disc");
  Write("src/older.info", "disc");
  Write("src/missing.info", "disc");
  Write("src/skip.txt", "disc");
  Write("dst/same.info", "hard disk");
  Write("dst/older.info", "hard disk");
  auto setTime = [](const std::string& p, std::int64_t s, long ns) {
    struct timespec t[2] = {{0, UTIME_OMIT}, {time_t(s), ns}};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), t, 0), 0);
  };
  setTime(src + "same.info", kDiscTime, 900000000);   // same second, later fraction
  setTime(dst + "same.info", kDiscTime, 100000000);
  setTime(src + "older.info", kDiscTime, 0);
  setTime(dst + "older.info", kDiscTime - 1, 999999999);
  SetTime("src/missing.info", 0);  // even a file of the epoch itself is copied when missing

  EXPECT_TRUE(CopyNewerFiles(src + "*.info", dst));

  EXPECT_EQ(Read("dst/same.info"), "hard disk");
  EXPECT_EQ(Read("dst/older.info"), "disc");
  EXPECT_EQ(Read("dst/missing.info"), "disc");
  EXPECT_FALSE(Exists("dst/skip.txt"));
  EXPECT_EQ(AllEntries(dst), (std::vector<std::string>{"missing.info", "older.info", "same.info"}));
}

TEST_F(ReadOnlyTest, CreateFolderPathMakesEveryLevel) {
  std::string deep = Root() + "/new";
  for (int i = 0; i < 24; ++i) deep += "/level " + std::to_string(i) + " ";
  EXPECT_TRUE(CreateFolderPath(deep + "/"));
  EXPECT_TRUE(fs::is_directory(deep));  // blanks at the ends of names are kept
  EXPECT_TRUE(CreateFolderPath(deep));  // already there
  Write("afile", "x");
  EXPECT_FALSE(CreateFolderPath(Root() + "/afile/sub/"));
  EXPECT_EQ(Read("afile"), "x");
}

}  // namespace
