#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

std::vector<std::string> Walk(const std::string& path, size_t stopAfter = SIZE_MAX) {
  std::vector<std::string> seen;
  qm::ForEachTextLine(path, [&](const std::string& l) {
    seen.push_back(l);
    return seen.size() < stopAfter;
  });
  return seen;
}

}  // namespace

// The walk must see exactly the lines the whole-file reader sees, also where a CR
// LF pair is split between two reads.
TEST(TextLinesTest, WalkSeesTheLinesOfTheWholeFileReader) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/t.txt";
  std::string split(65535, 'a');
  split += "\r\nb\rc\n\nd";
  for (const std::string& text : {std::string(), std::string("x"), std::string("\r\n"), std::string("\r\r\n\n"),
                                  std::string("one\r\ntwo\nthree\rfour"), split}) {
    std::ofstream(path, std::ios::binary) << text;
    EXPECT_EQ(Walk(path), qm::SplitTextLines(text)) << text.size() << " bytes";
  }
}

TEST(TextLinesTest, StopsWhereTheVisitorSaysAndFailsOnAMissingFile) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/t.txt";
  std::ofstream(path, std::ios::binary) << "a\r\nb\r\nc\r\n";
  EXPECT_EQ(Walk(path, 2), (std::vector<std::string>{"a", "b"}));
  try {
    Walk(dir.path().toStdString() + "/missing.txt");
    FAIL() << "a missing file is an error";
  } catch (const qm::RuntimeError& e) {
    EXPECT_EQ(e.Number(), qm::ErrFileNotFound);
  }
}

// Copies and comparisons go a chunk at a time; a file longer than one chunk, and
// one that differs only in its last byte, must still come out right.
TEST(FileChunksTest, CopiesAndComparesFilesLongerThanOneRead) {
  QTemporaryDir dir;
  const std::string a = dir.path().toStdString() + "/a", b = dir.path().toStdString() + "/b";
  std::string bytes(200000, 'x');
  for (size_t i = 0; i < bytes.size(); i += 7) bytes[i] = char(i);
  std::ofstream(a, std::ios::binary) << bytes;
  qm::CopyFileSafely(a, b, true);
  EXPECT_EQ(qm::ReadFileBytes(b), bytes);
  EXPECT_TRUE(qm::SameFileContents(a, b));
  bytes.back() = 'y';
  std::ofstream(b, std::ios::binary) << bytes;
  EXPECT_FALSE(qm::SameFileContents(a, b));
  std::ofstream(b, std::ios::binary) << bytes.substr(1);
  EXPECT_FALSE(qm::SameFileContents(a, b));
}
