#include <gtest/gtest.h>

#include <filesystem>

#include "core/import_rules.h"
#include "core/modquillmont.h"
#include "support/temp_archive.h"

using namespace import_rules;

TEST(ImportRules, AutoNumberFollows) {
  struct Case {
    const char* start;
    const char* next;
  } cases[] = {
      {"0100", "0101"}, {"9999", "10000"}, {"abc", "001"},  {"0", "1"},       {"", ""},
      {"007x", "0008"}, {" 41", "042"},    {"-5", "-04"}, {"-1", "00"},     {"+9", "10"},
      {"99999999999999999999999", "100000000000000000000000"}, {"1.5", "002"},
  };
  for (const Case& c : cases) {
    const std::string format = NumberFormat(c.start);
    EXPECT_EQ(format, std::string(std::string(c.start).size(), '0'));
    // An empty start number never reaches a run; its format is empty and the value 1 stands.
    EXPECT_EQ(NextAutoNumber(c.start, format), std::string(c.next).empty() ? "1" : c.next) << c.start;
  }
  // The format is fixed at the run's start: the width never shrinks back.
  EXPECT_EQ(NextAutoNumber("10000", "0000"), "10001");
}

TEST(ImportRules, DestinationNames) {
  struct Case {
    const char* file;
    bool autoName;
    const char* prefix;
    const char* number;
    const char* dest;
  } cases[] = {
      {"a.jpg", true, "Image", "0100", "Image0100.jpg"},
      {"my.trip.jpg", true, "Image", "0100", "Image0100.trip.jpg"},
      {"b.gif", true, "Image", "abc", "Imageabc.gif"},
      {"noext", true, "P", "1", "P1"},
      {"my.trip.jpg", false, "Image", "0100", "my.trip.jpg"},
      {"-n \"x y\" \xc3\xa9.jpg", false, "", "", "-n \"x y\" \xc3\xa9.jpg"},
  };
  for (const Case& c : cases) EXPECT_EQ(DestinationName(c.file, c.autoName, c.prefix, c.number), c.dest) << c.file;
}

TEST(ImportRules, TypePatternAndScanTypes) {
  const std::vector<bool> all(7, true), none(7, false);
  EXPECT_EQ(BuildFilePattern(all), "*.abcde;*.bmp;*.gif;*.jpg;*.wmf;*.mpg;*.mov;*.avi");
  EXPECT_EQ(BuildFilePattern(none), "*.abcde");
  EXPECT_EQ(BuildFilePattern({true, false, false, false, false, false, true}), "*.abcde;*.bmp;*.avi");

  EXPECT_EQ(ScanTypesOf(BuildFilePattern(all)),
            (std::vector<std::string>{"*.jpg", "*.bmp", "*.gif", "*.wmf", "*.mpg", "*.mov", "*.avi"}));
  EXPECT_TRUE(ScanTypesOf(BuildFilePattern(none)).empty());
  EXPECT_EQ(ScanTypesOf("*.abcde;*.bmp"), std::vector<std::string>{"*.bmp"});

  struct Match {
    const char* name;
    bool shown;
  } names[] = {{"a.jpg", true}, {"A.JPG", true}, {"a.jpeg", false}, {"a.abcde", true}, {"jpg", false},
               {"x.avi", true}, {"x.png", false}};
  for (const Match& m : names) EXPECT_EQ(MatchesAnyPattern(m.name, BuildFilePattern(all)), m.shown) << m.name;
  EXPECT_FALSE(MatchesAnyPattern("a.jpg", BuildFilePattern(none)));
}

TEST(ImportRules, RowsAndLines) {
  for (const char* folder : {"/home/me", "/home/me/"}) EXPECT_EQ(SourcePath(folder, "a.jpg"), "/home/me/a.jpg");
  EXPECT_EQ(SourcePath("/", "a.jpg"), "/a.jpg");

  EXPECT_EQ(SplitScannedPath("/t/sub/b.jpg"), std::make_pair(std::string("/t/sub/"), std::string("b.jpg")));
  EXPECT_EQ(SplitScannedPath("/a.jpg"), std::make_pair(std::string("/"), std::string("a.jpg")));

  EXPECT_EQ(ErrorLine("Image0100.jpg", "File already exists"), "Image0100.jpg    Error=File already exists\r");
  // A line break in either name, or a destination that is no plain name (it would
  // reach another folder), is refused.
  for (const char* bad : {"a\rb.jpg", "a\nb.jpg", "\r\n.jpg"}) {
    EXPECT_FALSE(IsGoodRowName(bad, "Image0100.jpg")) << bad;
    EXPECT_FALSE(IsGoodRowName("a.jpg", bad)) << bad;
  }
  for (const char* bad : {"Removed/../../x.jpg", "/x.jpg", ".", "..", ""})
    EXPECT_FALSE(IsGoodRowName("a.jpg", bad)) << bad;
  EXPECT_TRUE(IsGoodRowName("a b\t.jpg", "..a b\t.jpg"));

  EXPECT_TRUE(SkipsAsExisting(true, false));
  EXPECT_FALSE(SkipsAsExisting(true, true));
  EXPECT_FALSE(SkipsAsExisting(false, false));
}

TEST(ImportRules, TargetGroups) {
  using V = std::vector<std::string>;
  const V all{kAllPhotosGroup};
  EXPECT_EQ(TargetGroups(false, "Summer", true), (V{"Summer", kAllPhotosGroup}));
  EXPECT_EQ(TargetGroups(true, "Summer", true), all);
  EXPECT_EQ(TargetGroups(false, "  ALL photos  ", true), all);
  EXPECT_EQ(TargetGroups(false, "", true), all);
  EXPECT_EQ(TargetGroups(false, "Summer", false), all);
}

using ImportRulesFiles = TempArchive;

TEST_F(ImportRulesFiles, SameFileFollowsLinks) {
  Write("Photos/a.jpg", "x");
  Write("else/b.jpg", "x");
  std::filesystem::create_symlink(Path("Photos/a.jpg"), Path("else/link.jpg"));
  EXPECT_TRUE(SameFile(Path("Photos/a.jpg"), Path("Photos/../Photos/a.jpg")));
  EXPECT_TRUE(SameFile(Path("else/link.jpg"), Path("Photos/a.jpg")));
  EXPECT_FALSE(SameFile(Path("else/b.jpg"), Path("Photos/a.jpg")));
  EXPECT_FALSE(SameFile(Path("else/gone.jpg"), Path("else/gone.jpg")));
}
