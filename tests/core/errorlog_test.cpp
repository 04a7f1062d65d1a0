#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"

namespace {

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// An entry line of n characters with its number at the front, to see which survive.
std::string Entry(int number, size_t n) {
  std::string s = "entry " + std::to_string(number) + " ";
  s.resize(n, '.');
  return s;
}

}  // namespace

class ErrorLogTest : public TempArchive {
protected:
  void SetUp() override {
    TempArchive::SetUp();
    now_ = LocalTime(2001, 10, 2, 14, 5, 33);
    qm::SetClockForTests(now_);
  }
  std::string Log() const { return Read("Quillmont.Log"); }
  // The "Created" line and count numbered entries of width characters, the last
  // one of lastWidth.
  std::string LongLog(int count, size_t width, size_t lastWidth) const {
    std::string log = created_;
    for (int i = 1; i < count; ++i) log += Entry(i, width) + "\r\n";
    return log + Entry(count, lastWidth) + "\r\n";
  }
  std::time_t now_ = 0;
  const std::string created_ = "Created 10/02/01 14:05\r\n";
  const std::string stamp_ = "10/02/01  02:05:33PM: ";
};

TEST_F(ErrorLogTest, TheFirstEntryCreatesTheLog) {
  EXPECT_EQ(LogFilePath(), Root() + "/Quillmont.Log");
  WriteLog(LogFilePath(), "first");
  EXPECT_EQ(Log(), created_ + stamp_ + "first\r\n");
  qm::SetClockForTests(now_ + 60);
  WriteLog(LogFilePath(), "second");
  EXPECT_EQ(Log(), created_ + stamp_ + "first\r\n" + "10/02/01  02:06:33PM: second\r\n");
}

TEST_F(ErrorLogTest, StampsUseTwoDigitFieldsAndTwelveHours) {
  EXPECT_EQ(LogCreatedStamp(LocalTime(2009, 1, 5, 0, 7, 9)), "Created 01/05/09 00:07");
  EXPECT_EQ(LogEntryStamp(LocalTime(2009, 1, 5, 0, 7, 9)), "01/05/09  12:07:09AM: ");
  EXPECT_EQ(LogEntryStamp(LocalTime(2009, 1, 5, 12, 0, 0)), "01/05/09  12:00:00PM: ");
  EXPECT_EQ(LogEntryStamp(LocalTime(1999, 12, 31, 23, 59, 59)), "12/31/99  11:59:59PM: ");
  EXPECT_EQ(LogCreatedStamp(LocalTime(1999, 12, 31, 23, 59, 59)), "Created 12/31/99 23:59");
}

TEST_F(ErrorLogTest, TheCommonTailNamesTheProcedureAndTheError) {
  LogError("cmdZoomIn_Click", qm::RuntimeError(qm::ErrInvalidPicture));
  LogError("Form_Load", "Disk full");
  EXPECT_EQ(LogEntries(), (std::vector<std::string>{
                              stamp_ + "An error has occurred in 'cmdZoomIn_Click'. Error = Invalid picture",
                              stamp_ + "An error has occurred in 'Form_Load'. Error = Disk full"}));
}

TEST_F(ErrorLogTest, AMissingInformationFileLogsGetPhotoLink) {
  EXPECT_EQ(GetPhotoLink("nothere.jpg.info"), "");
  EXPECT_EQ(Log(), created_ + stamp_ + "An error has occurred in 'GetPhotoLink'. Error = File not found\r\n");
}

TEST_F(ErrorLogTest, ALogOfExactlyTheLimitIsNotTrimmed) {
  // 24 bytes of "Created" line, 799 lines of 100 bytes, one of 76: 80000 bytes.
  const std::string log = LongLog(800, 98, 74);
  ASSERT_EQ(log.size(), 80000u);
  Write("Quillmont.Log", log);
  WriteLog(LogFilePath(), "kept");
  EXPECT_EQ(Log(), log + stamp_ + "kept\r\n");
}

TEST_F(ErrorLogTest, ALogOneByteOverTheLimitIsTrimmedFirst) {
  const std::string log = LongLog(800, 98, 75);
  ASSERT_EQ(log.size(), 80001u);
  Write("Quillmont.Log", log);
  WriteLog(LogFilePath(), "after trim");

  const auto lines = qm::ReadTextLines(Path("Quillmont.Log"));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0] + "\r\n", created_);
  // 102 lines of 98 characters make 9996, the 103rd reaches 10094: it is the last dropped.
  EXPECT_EQ(lines[1], Entry(104, 98));
  EXPECT_EQ(lines[lines.size() - 2], Entry(800, 75));
  EXPECT_EQ(lines.back(), stamp_ + "after trim");
  EXPECT_EQ(lines.size(), 1u + (800 - 103) + 1u);
  EXPECT_EQ(qm::FileLen(Path("Quillmont.Log")), std::int64_t(80001 - 103 * 100 + stamp_.size() + 12));
}

TEST_F(ErrorLogTest, TrimmingStopsAsSoonAsTenThousandCharactersAreDropped) {
  // Lines of exactly 100 characters: the first hundred add up to 10000 exactly.
  const std::string log = LongLog(785, 100, 100);
  ASSERT_GT(log.size(), 80000u);
  Write("Quillmont.Log", log);
  WriteLog(LogFilePath(), "x");
  const auto lines = qm::ReadTextLines(Path("Quillmont.Log"));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0] + "\r\n", created_);
  EXPECT_EQ(lines[1], Entry(101, 100));
  EXPECT_EQ(lines.back(), stamp_ + "x");
  EXPECT_EQ(lines.size(), 1u + 685u + 1u);
}

TEST_F(ErrorLogTest, FewerThanTenThousandCharactersAfterTheFirstLineKeepOnlyIt) {
  // Over 80000 bytes, yet only 9999 characters: most lines are empty.
  std::string log = created_;
  for (int i = 0; i < 9999; ++i) log += "x\r\n";
  for (int i = 0; i < 25010; ++i) log += "\r\n";
  ASSERT_GT(log.size(), 80000u);
  Write("Quillmont.Log", log);
  WriteLog(LogFilePath(), "alone");
  EXPECT_EQ(Log(), created_ + stamp_ + "alone\r\n");
}

TEST_F(ErrorLogTest, AnEmptyLogIsNeitherRecreatedNorTrimmed) {
  Write("Quillmont.Log", "");
  WriteLog(LogFilePath(), "entry");
  EXPECT_EQ(Log(), stamp_ + "entry\r\n");
}

TEST_F(ErrorLogTest, AMessageWithLineBreaksIsWrittenUnchanged) {
  WriteLog(LogFilePath(), "line one\r\nline two\nline three");
  EXPECT_EQ(Log(), created_ + stamp_ + "line one\r\nline two\nline three\r\n");
  EXPECT_EQ(LogEntries(), (std::vector<std::string>{stamp_ + "line one", "line two", "line three"}));
}

TEST_F(ErrorLogTest, AnUnterminatedLastLineIsEndedBeforeTheEntry) {
  Write("Quillmont.Log", created_ + "hand edited");
  WriteLog(LogFilePath(), "entry");
  EXPECT_EQ(Log(), created_ + "hand edited\r\n" + stamp_ + "entry\r\n");
}

TEST_F(ErrorLogTest, AFailingTrimLeavesTheOldLog) {
  const std::string log = LongLog(800, 100, 100);
  Write("Quillmont.Log", log);
  {
    // Neither the trimmed copy nor the append can be written.
    FileSizeLimit limit(20000);
    ASSERT_TRUE(limit.ok());
    WriteLog(LogFilePath(), "lost");
  }
  EXPECT_EQ(Log(), log);
  std::vector<std::string> entries;
  for (const auto& e : std::filesystem::directory_iterator(Root()))
    if (e.is_regular_file()) entries.push_back(e.path().filename().string());
  EXPECT_EQ(entries, std::vector<std::string>{"Quillmont.Log"}) << "no temporary file is left behind";

  // The next entry trims as usual.
  WriteLog(LogFilePath(), "next");
  EXPECT_EQ(qm::ReadTextLines(Path("Quillmont.Log")).back(), stamp_ + "next");
  EXPECT_LT(qm::FileLen(Path("Quillmont.Log")), 80000);
}

TEST_F(ErrorLogTest, AFailingLogReportsNothingAndClosesNoOtherFile) {
  FILE* mine = std::fopen(Path("mine.txt").c_str(), "w");
  ASSERT_NE(mine, nullptr);
  EXPECT_NO_THROW(WriteLog(Path("nofolder/Quillmont.Log"), "lost"));
  EXPECT_FALSE(Exists("nofolder/Quillmont.Log"));
  EXPECT_GE(std::fputs("still open", mine), 0);
  EXPECT_EQ(std::fclose(mine), 0);
  EXPECT_EQ(Read("mine.txt"), "still open");
}

TEST_F(ErrorLogTest, AReadOnlyProgramFolderWritesNoLog) {
  {
    ReadOnlyFolder ro(Root());
    if (!ro.ok()) GTEST_SKIP() << "cannot make a read-only folder here";
    EXPECT_NO_THROW(LogError("Main", "Path/File access error"));
  }
  EXPECT_FALSE(Exists("Quillmont.Log"));
}

TEST_F(ErrorLogTest, TrimmingKeepsTheLineEndsOfTheEntriesItKeeps) {
  // Dropped: 101 lines of 99 characters (9999), then one more reaches 10000.
  std::string log = created_;
  for (int i = 1; i <= 102; ++i) log += Entry(i, 99) + "\n";
  const std::string kept = "kept one\nkept two\r\n" + stamp_ + "several\r\nlines\nof one entry\r\nlone CR\r" +
                           std::string(71000, 'z') + "\r\n";
  log += kept;
  ASSERT_GT(log.size(), 80000u);
  Write("Quillmont.Log", log);
  WriteLog(LogFilePath(), "after");
  EXPECT_EQ(Log(), created_ + kept + stamp_ + "after\r\n");
}
