// File services under the faults a user's machine really has: names at the
// file system's length limit, a full disc, folders that cannot be read, and the
// temporary files a killed run leaves behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"

using FilesFaultsTest = TempArchive;

TEST_F(FilesFaultsTest, ANameAtTheLengthLimitIsReplacedAndCopiedThroughAShortTemporaryName) {
  const std::string name = std::string(251, 'n') + ".jpg";
  Write("box/" + name, "old");
  std::filesystem::create_directories(Path("copy"));
  ASSERT_NO_THROW(qm::WriteTextLinesAtomically(Path("box/" + name), {"new"}));
  ASSERT_NO_THROW(qm::CopyFileSafely(Path("box/" + name), Path("copy/" + name), true));
  EXPECT_EQ(Read("copy/" + name), "new\r\n");
  EXPECT_EQ(AllEntries(Path("box")), std::vector<std::string>{name});
  EXPECT_EQ(AllEntries(Path("copy")), std::vector<std::string>{name});
}

TEST_F(FilesFaultsTest, AnAppendThatDoesNotFitLeavesTheFileAsItWas) {
  const std::string group = std::string(900, 'g') + "\r\nbeach";  // last line not ended
  Write("a.lst", group);
  {
    FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.ok());
    EXPECT_THROW(qm::AppendTextLines(Path("a.lst"), {std::string(50, 'x'), std::string(200, 'y')}),
                 qm::RuntimeError);
    // A file the append would have made is not left empty: a log without its
    // first line would never get one.
    EXPECT_THROW(qm::AppendTextLines(Path("new.log"), {std::string(2000, 'n')}), qm::RuntimeError);
  }
  EXPECT_FALSE(Exists("new.log"));
  EXPECT_EQ(Read("a.lst"), group) << "no half line under the file's real name";
  qm::AppendTextLines(Path("a.lst"), {"next"});
  EXPECT_EQ(Read("a.lst"), group + "\r\nnext\r\n");
}

TEST_F(FilesFaultsTest, AFolderThatCannotBeListedIsAFailureAndAMissingOneIsEmpty) {
  Write("photos/a.jpg", "x");
  std::filesystem::create_directory_symlink(Path("loop"), Path("loop"));  // a link to itself
  try {
    qm::ListFiles(Path("loop"));
    FAIL() << "a folder that cannot be read listed as empty";
  } catch (const qm::RuntimeError& e) {
    EXPECT_NE(e.Number(), qm::ErrFileNotFound);
  }
  EXPECT_TRUE(qm::ListFiles(Path("nothere")).empty());
  EXPECT_TRUE(qm::ListFiles(Path("photos/a.jpg")).empty()) << "a file is no folder";
  EXPECT_EQ(qm::ListFiles(Path("photos")), std::vector<std::string>{"a.jpg"});
}

TEST_F(FilesFaultsTest, OnlyOurOwnTemporaryFilesMadeOverAnHourAgoAreRemoved) {
  // All last written long ago, as a copy keeping its photo's time is: the making counts.
  for (const std::string n :
       {".qm-tmp-a1B2c3", ".qm-tmp-notes.txt", ".qm-tmpfoo", ".qm-tmp-ab.12", ".hidden", "qm-tmp.jpg"}) {
    Write("box/" + n, "x");
    SetTime("box/" + n, 1000000000);
  }
  std::filesystem::create_directories(Path("box/.qm-tmp-folder"));
  const auto all = AllEntries(Path("box"));
  qm::SetClockForTests(std::time(nullptr) + 60);
  qm::RemoveStaleTempFiles(Path("box/"));
  EXPECT_EQ(AllEntries(Path("box")), all) << "a copy still running keeps its file";
  qm::SetClockForTests(std::time(nullptr) + 3700);
  qm::RemoveStaleTempFiles(Path("box/"));
  EXPECT_NO_THROW(qm::RemoveStaleTempFiles(Path("nothere/")));

  EXPECT_EQ(AllEntries(Path("box")), (std::vector<std::string>{".hidden", ".qm-tmp-ab.12", ".qm-tmp-folder",
                                                               ".qm-tmp-notes.txt", ".qm-tmpfoo", "qm-tmp.jpg"}));
}
