#include "core/search_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/runtime_error.h"
#include "support/temp_archive.h"

namespace {

const std::string kBeach =
    "PhotoPath=\\Photos\\beach.jpg\r\nTITLE=Sunset at the Beach\r\nPHOTOGRAPHER=Ann\r\nYEAR=1997\r\n"
    "PEOPLE=Ann, Bob\r\nPLACE=Brighton\r\nEVENT=Summer holiday\r\nKEYWORDS=sea sand\r\nImageWidth=640\r\n"
    "ImageHeight=480\r\n";

SearchCriteria With(std::string SearchCriteria::*field, const std::string& text) {
  SearchCriteria c;
  c.*field = text;
  return c;
}

// Field criteria against the fields' values; each row one box.
TEST(SearchRules, FieldCriteriaTestTheValuesOfTheirKeys) {
  struct Case {
    std::string SearchCriteria::*field;
    std::string criterion, text;
    bool found;
  };
  const Case cases[] = {
      {&SearchCriteria::Title, "beach", kBeach, true},           // any case
      {&SearchCriteria::Title, "SUNSET AT", kBeach, true},
      {&SearchCriteria::Title, "Brighton", kBeach, false},       // another field's value
      {&SearchCriteria::Title, "tle", kBeach, false},            // the key is not searched
      {&SearchCriteria::Title, "title", kBeach, false},
      {&SearchCriteria::Title, "tle=", kBeach, false},
      {&SearchCriteria::Title, "=", "TITLE=a=b\r\n", true},      // a further "=" is value
      {&SearchCriteria::Year, "199", kBeach, true},
      {&SearchCriteria::Year, "199", "YEAR=1989\r\n", false},
      {&SearchCriteria::Year, "199", "YEAR=c. 1995?\r\n", true},
      {&SearchCriteria::Year, "199", "YEAR=21990\r\n", true},    // three digits anywhere
      {&SearchCriteria::Photographer, "ann", kBeach, true},
      {&SearchCriteria::People, "bob", kBeach, true},
      {&SearchCriteria::Place, "brigh", kBeach, true},
      {&SearchCriteria::Event, "winter", kBeach, false},
      {&SearchCriteria::Keywords, "sand", kBeach, true},
      {&SearchCriteria::Keywords, "sand", "TITLE=x\r\n", true},  // no KEYWORDS line passes
      {&SearchCriteria::Keywords, "sand", "", true},             // an empty file passes
      {&SearchCriteria::Keywords, "*", "KEYWORDS=\r\n", true},   // "*" passes everything
      {&SearchCriteria::Keywords, "*", "", true},
      {&SearchCriteria::Keywords, "s*", "KEYWORDS=sea\r\n", false},  // "*" is no wildcard elsewhere
      {&SearchCriteria::Keywords, "sea", "keywords=SEA\r\n", true},  // keys in any case
      {&SearchCriteria::Keywords, "sea", "KEYWORDS =sea\r\n", true},  // a blank keeps the key apart
      {&SearchCriteria::Keywords, "sea", "KEYWORDS=sea\nKEYWORDS=sky\n", false},  // every line tested
      {&SearchCriteria::Keywords, "sea", "KEYWORDS=sea\rPLACE=x", true},          // lone CR ends a line
      {&SearchCriteria::Keywords, "sea", "KEYWORDS=se\r\na", false},  // no match across lines
      {&SearchCriteria::Keywords, "sea", "KEYWORDS=sea", true},       // last line without an end
  };
  for (const Case& c : cases)
    EXPECT_EQ(InfoTextMatches(With(c.field, c.criterion), c.text), c.found)
        << c.criterion << " in " << c.text;
}

TEST(SearchRules, CriteriaCombineWithAndAndEmptyBoxesTakeNoPart) {
  SearchCriteria c;
  EXPECT_TRUE(InfoTextMatches(c, kBeach));
  EXPECT_TRUE(InfoTextMatches(c, std::string("\0\xff\r\x80", 4)));
  c.Year = "1997";
  c.Place = "bright";
  EXPECT_TRUE(InfoTextMatches(c, kBeach));
  c.People = "Carl";
  EXPECT_FALSE(InfoTextMatches(c, kBeach));
}

// The text may come in pieces of any size: a match split over two reads counts.
TEST(SearchRules, MatchesDoNotDependOnHowTheTextIsCut) {
  const std::string longValue = "KEYWORDS=" + std::string(20000, 'x') + "needle" + std::string(9000, 'y') + "\r\n";
  for (const std::string& text : {kBeach, longValue}) {
    for (const std::string& needle : {std::string("needle"), std::string("sand"), std::string("zzz")}) {
      const SearchCriteria c = With(&SearchCriteria::Keywords, needle);
      const bool whole = InfoTextMatches(c, text);
      EXPECT_EQ(whole, text.find(needle) != std::string::npos) << needle;
      for (size_t piece : {size_t(1), size_t(3), size_t(4095), size_t(4097)}) {
        InfoFileMatcher m(c);
        m.Start();
        for (size_t at = 0; at < text.size(); at += piece) m.Feed(std::string_view(text).substr(at, piece));
        EXPECT_EQ(m.Finish(), whole) << needle << " in pieces of " << piece;
      }
    }
  }
}

TEST(SearchRules, FilenameCriterionTestsTheInformationFileName) {
  const std::pair<const char*, bool> cases[] = {
      {"JPG", true}, {"", true}, {"*", true}, {"gif", false}, {"b?ach", false}};
  for (const auto& [criterion, passes] : cases)
    EXPECT_EQ(CriterionPasses(criterion, "beach.jpg.info"), passes) << criterion;
}

TEST(SearchRules, ProgressTextAndBar) {
  EXPECT_EQ(SearchProgressText(0, 0, 0), "Searched 0 (0%) -> Found 0");
  EXPECT_EQ(SearchProgressText(1, 3, 1), "Searched 1 (33%) -> Found 1");
  EXPECT_EQ(SearchProgressText(2, 3, 0), "Searched 2 (67%) -> Found 0");
  EXPECT_EQ(SearchProgressText(1, 8, 0), "Searched 1 (13%) -> Found 0");  // halves up
  EXPECT_EQ(SearchProgressText(40000, 40000, 40000), "Searched 40000 (100%) -> Found 40000");
  EXPECT_EQ(SearchProgressWidth(0, 0, 381), 0);
  EXPECT_EQ(SearchProgressWidth(1, 2, 381), 190);
  EXPECT_EQ(SearchProgressWidth(2, 2, 381), 381);
}

TEST(SearchRules, GroupLinesAreTheNamesBeforeTheLastDot) {
  EXPECT_EQ(GroupLinesOf({"", "beach.jpg.info", "noDot", "a.b.c.info", ".info", "x.info"}),
            (std::vector<std::string>{"beach.jpg", "a.b.c", "x"}));
  EXPECT_TRUE(GroupLinesOf({""}).empty());
  EXPECT_TRUE(GroupLinesOf({}).empty());
}

TEST(SearchRules, TypedGroupNameTakesAnExistingGroupsSpelling) {
  const std::vector<std::string> groups = {"  All Photos  ", "Summer", "Winter 2001"};
  const std::pair<const char*, const char*> cases[] = {{"summer", "Summer"},     {"  ALL PHOTOS  ", "  All Photos  "},
                                                        {"winter 2001", "Winter 2001"}, {"Autumn", "Autumn"},
                                                        {"Summer ", "Summer "}};
  for (const auto& [typed, target] : cases) EXPECT_EQ(AppendTargetGroup(typed, groups), target) << typed;
}

class SearchFiles : public TempArchive {};

TEST_F(SearchFiles, FilesAreReadAChunkAtATimeAndFailuresThrow) {
  Write("Photo_Info/beach.jpg.info", kBeach);
  const std::string folder = Path("Photo_Info/");
  EXPECT_TRUE(InfoFileMatches(With(&SearchCriteria::Place, "bright"), folder, "beach.jpg.info"));
  EXPECT_FALSE(InfoFileMatches(With(&SearchCriteria::Place, "paris"), folder, "beach.jpg.info"));
  // Turned down by its name, a file is never read.
  EXPECT_FALSE(InfoFileMatches(With(&SearchCriteria::Filename, "gif"), folder, "gone.jpg.info"));
  // With no field criterion the text is not needed.
  EXPECT_TRUE(InfoFileMatches(SearchCriteria{}, folder, "gone.jpg.info"));
  EXPECT_THROW(InfoFileMatches(With(&SearchCriteria::Place, "x"), folder, "gone.jpg.info"), qm::RuntimeError);
}

}  // namespace
