#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>

#include "core/FileDateTimeMod.h"
#include "platform/files.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"
#include "support/time_zone.h"

namespace {

std::tm LocalOf(std::int64_t seconds) {
  std::time_t t = std::time_t(seconds);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

long Nanoseconds(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_mtim.tv_nsec : -1;
}

}  // namespace

using FileDateTimeTest = TempArchive;

TEST_F(FileDateTimeTest, ADateAloneMeansMidnightLocalTime) {
  Write("t.bmp", "x");
  ASSERT_TRUE(SetFileDateTime(Path("t.bmp"), "10/02/2001"));
  const std::tm tm = LocalOf(qm::FileDateTime(Path("t.bmp")));
  EXPECT_EQ(tm.tm_year, 101);
  EXPECT_EQ(tm.tm_mon, 9);
  EXPECT_EQ(tm.tm_mday, 2);
  EXPECT_EQ(tm.tm_hour, 0);
  EXPECT_EQ(tm.tm_min, 0);
  EXPECT_EQ(tm.tm_sec, 0);
}

TEST_F(FileDateTimeTest, TheSecondsReachTheFileAndNothingFiner) {
  Write("t.bmp", "x");
  ASSERT_TRUE(SetFileDateTime(Path("t.bmp"), "10/02/2001 14:05:33"));
  const std::tm tm = LocalOf(qm::FileDateTime(Path("t.bmp")));
  EXPECT_EQ(tm.tm_hour, 14);
  EXPECT_EQ(tm.tm_min, 5);
  EXPECT_EQ(tm.tm_sec, 33);
  EXPECT_EQ(Nanoseconds(Path("t.bmp")), 0);

  ASSERT_TRUE(SetFileDateTime(Path("t.bmp"), "10/02/2001 2:05:34 PM"));
  EXPECT_EQ(LocalOf(qm::FileDateTime(Path("t.bmp"))).tm_sec, 34);
  EXPECT_EQ(LocalOf(qm::FileDateTime(Path("t.bmp"))).tm_hour, 14);
}

TEST_F(FileDateTimeTest, AThumbnailDatedFromItsPhotosTextComparesEqual) {
  Write("photo.jpg", "p");
  Write("thumb.bmp", "t");
  // A photo time with a fraction, as a camera card or a copy may leave it.
  struct timespec times[2] = {{0, UTIME_OMIT}, {1234567890, 987654321}};
  ASSERT_EQ(::utimensat(AT_FDCWD, Path("photo.jpg").c_str(), times, 0), 0);

  const std::string text = FileDateText(Path("photo.jpg"));
  ASSERT_FALSE(text.empty());
  ASSERT_TRUE(SetFileDateTime(Path("thumb.bmp"), text));
  EXPECT_EQ(qm::FileDateTime(Path("thumb.bmp")), qm::FileDateTime(Path("photo.jpg")));
  EXPECT_EQ(qm::FileDateTime(Path("thumb.bmp")), 1234567890);
  EXPECT_EQ(FileDateText(Path("missing.jpg")), "");
}

TEST_F(FileDateTimeTest, SummerTimeIsConvertedWithTheLocalRules) {
  TimeZone tz(TimeZone::kCentralEurope);
  Write("t.bmp", "x");
  ASSERT_TRUE(SetFileDateTime(Path("t.bmp"), "07/01/2001 12:00:00"));
  EXPECT_EQ(qm::FileDateTime(Path("t.bmp")), 993981600);  // 2001-07-01 10:00:00 UTC
  ASSERT_TRUE(SetFileDateTime(Path("t.bmp"), "01/15/2001 12:00:00"));
  EXPECT_EQ(qm::FileDateTime(Path("t.bmp")), 979556400);  // 2001-01-15 11:00:00 UTC
  EXPECT_EQ(FileDateText(Path("t.bmp")), "01/15/2001 12:00:00");
}

TEST_F(FileDateTimeTest, NoDateOrNoFileChangesNothing) {
  Write("t.bmp", "x");
  SetTime("t.bmp", 1000000000);
  for (const char* bad : {"", "   ", "yesterday", "02/30/2001", "13/01/2001", "10/02/2001 25:00", "10/02/2001 14:61",
                          "10/02/2001 14:05:33 XM", "10/02/2001 13:00 PM", "10/02", "10/02/2001x"})
    EXPECT_FALSE(SetFileDateTime(Path("t.bmp"), bad)) << bad;
  EXPECT_EQ(qm::FileDateTime(Path("t.bmp")), 1000000000);

  EXPECT_FALSE(SetFileDateTime(Path("missing.bmp"), "10/02/2001"));
  EXPECT_FALSE(Exists("missing.bmp")) << "no file is created";
  EXPECT_FALSE(SetFileDateTime("", "10/02/2001"));
  std::filesystem::create_directories(Path("folder.bmp"));
  EXPECT_FALSE(SetFileDateTime(Path("folder.bmp"), "10/02/2001"));
}

TEST_F(FileDateTimeTest, DateTextsAsTheRuntimeReadsThem) {
  std::int64_t a = 0, b = 0;
  ASSERT_TRUE(ParseDateText("02/29/2000 23:59:59", a));
  ASSERT_TRUE(ParseDateText("2000-02-29 23:59:59", b));
  EXPECT_EQ(a, b);
  EXPECT_FALSE(ParseDateText("02/29/2001", a));
  // Two-digit years: up to 29 this century, from 30 the last.
  ASSERT_TRUE(ParseDateText("1/2/29", a));
  EXPECT_EQ(LocalOf(a).tm_year, 129);
  ASSERT_TRUE(ParseDateText("1/2/30", a));
  EXPECT_EQ(LocalOf(a).tm_year, 30);
  {
    // One second before the epoch is a time like any other.
    TimeZone utc("UTC0");
    ASSERT_TRUE(ParseDateText("12/31/1969 23:59:59", a));
    EXPECT_EQ(a, -1);
  }
  ASSERT_TRUE(ParseDateText("10/02/2001 12:00 AM", a));
  EXPECT_EQ(LocalOf(a).tm_hour, 0);
  ASSERT_TRUE(ParseDateText(" 10/02/2001 14:05 ", a));
  EXPECT_EQ(LocalOf(a).tm_min, 5);
}

TEST_F(FileDateTimeTest, AFileOnAReadOnlyMediumIsRefused) {
  Write("disc/t.bmp", "x");
  SetTime("disc/t.bmp", 1000000000);
  {
    ReadOnlyFolder ro(Path("disc"));
    if (!ro.ok()) GTEST_SKIP() << "cannot make a read-only folder here";
    if (::geteuid() != 0) GTEST_SKIP() << "the owner may set times in a read-only folder";
    EXPECT_FALSE(SetFileDateTime(Path("disc/t.bmp"), "10/02/2001"));
  }
  EXPECT_EQ(qm::FileDateTime(Path("disc/t.bmp")), 1000000000);
}
