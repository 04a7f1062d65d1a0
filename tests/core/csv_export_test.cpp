#include "core/csv_export.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"

namespace {

class CsvExport : public TempArchive {
protected:
  std::string Csv() const { return Path("out/" + kCsvFileName); }
  std::string CsvText() const { return Read("out/" + kCsvFileName); }
  void SetUp() override {
    TempArchive::SetUp();
    Write("out/.keep", "");
  }
};

const std::string kHeader =
    "CSV\r\nInfoFile,Event,Keywords,People,Photographer,Place,Title,Year,ImageWidth,ImageHeight\r\n";

TEST(CsvField, QuotesOnlyWhatWouldBreakTheRecord) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"Beach", "Beach"},
      {" two  blanks ", " two  blanks "},
      {"a=b;c'd", "a=b;c'd"},
      {"Beach, Sunset", "\"Beach, Sunset\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"one\ntwo", "\"one\ntwo\""},
      {"one\rtwo", "\"one\rtwo\""},
  };
  for (const auto& [value, field] : cases) EXPECT_EQ(CsvField(value), field) << value;
}

TEST_F(CsvExport, NewFileGetsTheHeaderThenOneRecordALineByteForByte) {
  Write("Photo_Info/a.jpg.info", CrLf({"PhotoPath=\\Photos\\a.jpg", "TITLE=Beach, Sunset", "PHOTOGRAPHER=Ann",
                                       "YEAR=1999", "PEOPLE=Bo \"Big\" Berg", "PLACE= Coast ", "EVENT=Trip",
                                       "KEYWORDS=a=b", "ImageWidth=640", "ImageHeight=480"}));
  // Mixed-case keys count, a blank before "=" makes another key, the last YEAR wins
  // and a missing key is an empty field.
  Write("Photo_Info/b.jpg.info", "Title=Plain\r\nYEAR=1\nYEAR =2\rYEAR=2001\r\n=EVENT\r\nno equals sign");
  ASSERT_TRUE(AppendCsvRecord("a.jpg.info", Csv()));
  ASSERT_TRUE(AppendCsvRecord("b.jpg.info", Csv()));
  EXPECT_EQ(CsvText(),
            kHeader +
                "a.jpg.info,Trip,a=b,\"Bo \"\"Big\"\" Berg\",Ann, Coast ,\"Beach, Sunset\",1999,640,480\r\n"
                "b.jpg.info,,,,,,Plain,2001,,\r\n");
}

TEST_F(CsvExport, AppendingToAnEarlierFileWritesNoSecondHeader) {
  Write("out/" + kCsvFileName, kHeader + "old.jpg.info,,,,,,,,,\r\n");
  Write("Photo_Info/c,d.jpg.info", "TITLE=T\r\n");
  ASSERT_TRUE(AppendCsvRecord("c,d.jpg.info", Csv()));
  EXPECT_EQ(CsvText(), kHeader + "old.jpg.info,,,,,,,,,\r\n\"c,d.jpg.info\",,,,,,T,,,\r\n");
}

TEST_F(CsvExport, AFailureWritesNothingAndSaysWhy) {
  std::string why;
  EXPECT_FALSE(AppendCsvRecord("missing.jpg.info", Csv(), &why));
  EXPECT_EQ(why, "File not found");
  EXPECT_FALSE(Exists("out/" + kCsvFileName));

  Write("Photo_Info/a.jpg.info", "TITLE=T\r\n");
  ReadOnlyFolder locked(Path("out"));
  ASSERT_TRUE(locked.ok());
  EXPECT_FALSE(AppendCsvRecord("a.jpg.info", Csv(), &why));
  EXPECT_EQ(why, "Permission denied");
}

TEST_F(CsvExport, EveryRecordHasTenFields) {
  std::string info;
  for (const char* key : kCsvKeys) info += std::string(key) + "=x,\"y\"\r\n";
  Write("Photo_Info/q.jpg.info", info);
  ASSERT_TRUE(AppendCsvRecord("q.jpg.info", Csv()));
  const std::string record = CsvText().substr(kHeader.size());
  // Outside quotes, the commas split the record into exactly ten fields.
  int fields = 1;
  bool quoted = false;
  for (char c : record) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) ++fields;
  }
  EXPECT_EQ(fields, 10) << record;
}

// Any bytes pass through as they stand, up to the longest line the reader holds
// whole. A longer value is never written cut: the photo has no record and the
// reason is told. Only the value that counts matters: a later whole line of the
// key replaces it, and a long line of another key takes no part.
TEST_F(CsvExport, AnyBytesPassThroughAsTheyStandButNoValueCutShort) {
  const std::string odd = std::string("a\0b\xff\xfe", 5);
  const std::string longValue(qm::kMaxTextLine - std::string("YEAR=").size(), 'x'), over(qm::kMaxTextLine, 'k');
  Write("Photo_Info/z.jpg.info", "TITLE=" + odd + "\rYEAR=" + longValue + "\n\xff=\r\n=\r\n");
  Write("Photo_Info/long.jpg.info", CrLf({"TITLE=T", "KEYWORDS=" + over, "YEAR=1999"}));
  Write("Photo_Info/later.jpg.info", CrLf({"KEYWORDS=" + over, "KEYWORDS=short", "NOTE=" + over}));
  ASSERT_TRUE(AppendCsvRecord("z.jpg.info", Csv()));
  std::string why;
  EXPECT_FALSE(AppendCsvRecord("long.jpg.info", Csv(), &why));
  EXPECT_EQ(why, "A value is longer than 64 KiB");
  ASSERT_TRUE(AppendCsvRecord("later.jpg.info", Csv()));
  EXPECT_EQ(CsvText(), kHeader + "z.jpg.info,,,,,," + odd + "," + longValue + ",,\r\nlater.jpg.info,,short,,,,,,,\r\n");
}

}  // namespace
