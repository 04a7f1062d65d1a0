#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

std::vector<std::string> Walk(const std::string& path, size_t stopAfter = SIZE_MAX) {
  std::vector<std::string> seen;
  qm::ForEachTextLine(path, [&](const std::string& l, bool) {
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

// A line longer than the bound comes as its first bytes, marked cut; the rest of
// it is read past, so the lines after it come whole, whatever the reads split.
TEST(TextLinesTest, ALineOverTheBoundComesCutAndTheNextLinesWhole) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/t.txt";
  const std::string huge(3 * qm::kMaxTextLine + 17, 'h');
  const std::string full(qm::kMaxTextLine, 'f');
  std::ofstream(path, std::ios::binary) << "TITLE=" << huge << "\r\n" << full << "\r\nlast\r" << huge;
  std::vector<std::pair<std::string, bool>> seen;
  qm::ForEachTextLine(path, [&](const std::string& l, bool cut) {
    seen.emplace_back(l, cut);
    return true;
  });
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], std::make_pair("TITLE=" + huge.substr(0, qm::kMaxTextLine - 6), true));
  EXPECT_EQ(seen[1], std::make_pair(full, false));  // exactly the bound is whole
  EXPECT_EQ(seen[2], std::make_pair(std::string("last"), false));
  EXPECT_EQ(seen[3], std::make_pair(huge.substr(0, qm::kMaxTextLine), true));  // a last line without its end

  // Any bound, with line ends of every kind right at it.
  std::ofstream(path, std::ios::binary) << "abcdef\r\nabc\rabcd\nab";
  seen.clear();
  qm::ForEachTextLine(
      path,
      [&](const std::string& l, bool cut) {
        seen.emplace_back(l, cut);
        return true;
      },
      3);
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, bool>>{{"abc", true}, {"abc", false}, {"abc", true}, {"ab", false}}));
}

TEST(TextLinesTest, AFileIsReadWholeOnlyUpToItsLimit) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/t.bin";
  std::ofstream(path, std::ios::binary) << std::string(200000, 'm');
  EXPECT_EQ(qm::ReadFileBytesUpTo(path, 200000), std::string(200000, 'm'));
  EXPECT_EQ(qm::ReadFileBytesUpTo(path, 199999), std::nullopt);
  EXPECT_THROW(qm::ReadFileBytesUpTo(path + "-missing", 10), qm::RuntimeError);
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
