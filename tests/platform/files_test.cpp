#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "support/temp_archive.h"

using FilesTest = TempArchive;

TEST_F(FilesTest, ReadsEveryKindOfLineEnd) {
  Write("t.txt", "a\r\nb\nc\rd");
  EXPECT_EQ(qm::ReadTextLines(Path("t.txt")), (std::vector<std::string>{"a", "b", "c", "d"}));
  Write("e.txt", "\r\n\r\nx\r\n");
  EXPECT_EQ(qm::ReadTextLines(Path("e.txt")), (std::vector<std::string>{"", "", "x"}));
}

TEST_F(FilesTest, MissingFileAndFolderHaveTheirOwnNumbers) {
  try {
    qm::ReadFileBytes(Path("nope.txt"));
    FAIL();
  } catch (const qm::RuntimeError& e) {
    EXPECT_EQ(e.Number(), 53);
    EXPECT_EQ(e.Description(), "File not found");
  }
  try {
    qm::ReadFileBytes(Path("nofolder/nope.txt"));
    FAIL();
  } catch (const qm::RuntimeError& e) {
    EXPECT_EQ(e.Number(), 76);
  }
}
