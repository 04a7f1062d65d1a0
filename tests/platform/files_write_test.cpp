#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"

using FilesWriteTest = TempArchive;

TEST_F(FilesWriteTest, ReplaceLeavesTheOriginalInAReadOnlyFolder) {
  Write("box/list.txt", "old\r\n");
  {
    ReadOnlyFolder ro(Path("box"));
    if (!ro.ok()) GTEST_SKIP() << "cannot make a read-only folder here";
    try {
      qm::ReplaceFileAtomically(Path("box/list.txt"), "new\r\n");
      FAIL() << "a write into a read-only folder succeeded";
    } catch (const qm::RuntimeError& e) {
      EXPECT_EQ(e.Number(), qm::ErrPermission);
    }
  }
  EXPECT_EQ(Read("box/list.txt"), "old\r\n");
  EXPECT_EQ(AllEntries(Path("box")), std::vector<std::string>{"list.txt"});
}

TEST_F(FilesWriteTest, ReplaceLeavesTheOriginalWhenTheWriteFails) {
  const std::string old(5000, 'o');
  Write("box/list.txt", old);
  {
    FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.ok());
    EXPECT_THROW(qm::ReplaceFileAtomically(Path("box/list.txt"), std::string(4000, 'n')), qm::RuntimeError);
    EXPECT_THROW(qm::WriteTextLinesAtomically(Path("box/list.txt"), {std::string(4000, 'n')}), qm::RuntimeError);
  }
  EXPECT_EQ(Read("box/list.txt"), old);
  EXPECT_EQ(AllEntries(Path("box")), std::vector<std::string>{"list.txt"});
}

TEST_F(FilesWriteTest, ReplaceKeepsTheFileModeAndWritesCrLf) {
  Write("box/list.txt", "old\n");
  std::filesystem::permissions(Path("box/list.txt"), std::filesystem::perms(0640));
  qm::WriteTextLinesAtomically(Path("box/list.txt"), {"a", "", "b"});
  EXPECT_EQ(Read("box/list.txt"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(int(std::filesystem::status(Path("box/list.txt")).permissions()), 0640);
}

TEST_F(FilesWriteTest, AppendEndsAnUnterminatedLastLineFirst) {
  Write("a.txt", "one");
  qm::AppendTextLines(Path("a.txt"), {"two"});
  EXPECT_EQ(Read("a.txt"), "one\r\ntwo\r\n");

  Write("b.txt", "one\r\n");
  qm::AppendTextLines(Path("b.txt"), {"two", "three"});
  EXPECT_EQ(Read("b.txt"), "one\r\ntwo\r\nthree\r\n");

  // A lone CR or LF already ends the line.
  Write("c.txt", "one\r");
  qm::AppendTextLines(Path("c.txt"), {"two"});
  EXPECT_EQ(qm::ReadTextLines(Path("c.txt")), (std::vector<std::string>{"one", "two"}));
  Write("d.txt", "one\n");
  qm::AppendTextLines(Path("d.txt"), {"two"});
  EXPECT_EQ(Read("d.txt"), "one\ntwo\r\n");

  qm::AppendTextLines(Path("new.txt"), {"first"});
  EXPECT_EQ(Read("new.txt"), "first\r\n");
  Write("empty.txt", "");
  qm::AppendTextLines(Path("empty.txt"), {"first"});
  EXPECT_EQ(Read("empty.txt"), "first\r\n");
}

TEST_F(FilesWriteTest, AppendIntoAMissingFolderIsPathNotFound) {
  try {
    qm::AppendTextLines(Path("nofolder/a.txt"), {"x"});
    FAIL();
  } catch (const qm::RuntimeError& e) {
    EXPECT_EQ(e.Number(), qm::ErrPathNotFound);
  }
}

TEST_F(FilesWriteTest, ListFilesSortsFoldedAndLeavesOutHiddenNamesAndFolders) {
  for (const char* n : {"b.jpg", "a.JPG", "A.jpg", "C.bmp", "a.jpg", ".hidden.jpg", "10.jpg", "1.jpg"})
    Write(std::string("list/") + n, "x");
  std::filesystem::create_directories(Path("list/D.jpg"));
  std::filesystem::create_symlink(Path("list/b.jpg"), Path("list/link.jpg"));
  std::filesystem::create_symlink(Path("list/D.jpg"), Path("list/dirlink.jpg"));

  // Ties under folding go by bytes: upper case first.
  EXPECT_EQ(qm::ListFiles(Path("list")),
            (std::vector<std::string>{"1.jpg", "10.jpg", "A.jpg", "a.JPG", "a.jpg", "b.jpg", "C.bmp", "link.jpg"}));
  EXPECT_EQ(qm::ListFiles(Path("list/"), "*.JPG"),
            (std::vector<std::string>{"1.jpg", "10.jpg", "A.jpg", "a.JPG", "a.jpg", "b.jpg", "link.jpg"}));
  EXPECT_EQ(qm::ListFiles(Path("list"), "?.jpg"),
            (std::vector<std::string>{"1.jpg", "A.jpg", "a.JPG", "a.jpg", "b.jpg"}));
  EXPECT_EQ(qm::ListFiles(Path("list"), "c*"), std::vector<std::string>{"C.bmp"});
  EXPECT_TRUE(qm::ListFiles(Path("nothere")).empty());
}

TEST_F(FilesWriteTest, PatternsMatchAsTheFileListDoes) {
  EXPECT_TRUE(qm::MatchesPattern("noext", "*.*"));
  EXPECT_TRUE(qm::MatchesPattern("x.tar.gz", "*.gz"));
  EXPECT_TRUE(qm::MatchesPattern("Beach.Info", "*.info"));
  EXPECT_FALSE(qm::MatchesPattern("beach.info.bak", "*.info"));
  EXPECT_TRUE(qm::MatchesPattern("a1b", "a?b"));
  EXPECT_FALSE(qm::MatchesPattern("ab", "a?b"));
  EXPECT_TRUE(qm::MatchesPattern("abcabd", "*abd"));
}

TEST_F(FilesWriteTest, ExclusiveRenameAndCreateNeverReplaceAFile) {
  Write("box/a.lst", "a\r\n");
  Write("box/b.lst", "b\r\n");
  try {
    qm::RenameFileNoReplace(Path("box/a.lst"), Path("box/b.lst"));
    FAIL() << "a rename replaced a file";
  } catch (const qm::RuntimeError& e) {
    EXPECT_EQ(e.Number(), qm::ErrFileExists);
  }
  try {
    qm::CreateNewFile(Path("box/b.lst"));
    FAIL() << "an existing file was created again";
  } catch (const qm::RuntimeError& e) {
    EXPECT_EQ(e.Number(), qm::ErrFileExists);
  }
  EXPECT_EQ(Read("box/a.lst"), "a\r\n");
  EXPECT_EQ(Read("box/b.lst"), "b\r\n");

  qm::RenameFileNoReplace(Path("box/a.lst"), Path("box/c.lst"));
  qm::CreateNewFile(Path("box/d.lst"));
  EXPECT_EQ(AllEntries(Path("box")), (std::vector<std::string>{"b.lst", "c.lst", "d.lst"}));
  EXPECT_EQ(Read("box/c.lst"), "a\r\n");
  EXPECT_EQ(Read("box/d.lst"), "");
  EXPECT_THROW(qm::RenameFileNoReplace(Path("box/gone.lst"), Path("box/e.lst")), qm::RuntimeError);
}
