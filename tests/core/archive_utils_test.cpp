#include <gtest/gtest.h>

#include "core/archive_utils.h"

namespace {

using Parts = std::vector<std::string>;

// The fields that SplitString filled, without the spare element at MaxParts.
Parts Fields(const std::string& text, const std::string& delims, int maxParts) {
  Parts parts{"stale", "stale"};
  SplitString(text, delims, parts, maxParts);
  EXPECT_EQ(parts.size(), size_t(maxParts) + 1);
  EXPECT_EQ(parts.back(), "") << "the spare element is left empty";
  parts.pop_back();
  return parts;
}

}  // namespace

TEST(SplitStringTest, APathWithAFinalSeparatorGivesAnEmptyLastField) {
  Parts parts = Fields("/media/Trip/2001/", "/", 20);
  EXPECT_EQ(Parts(parts.begin(), parts.begin() + 5), (Parts{"", "media", "Trip", "2001", ""}));
  for (size_t i = 5; i < parts.size(); ++i) EXPECT_EQ(parts[i], "") << i;

  parts = Fields("C:/Users/Photos/", "/", 20);
  EXPECT_EQ(Parts(parts.begin(), parts.begin() + 4), (Parts{"C:", "Users", "Photos", ""}));
}

TEST(SplitStringTest, FieldsAreTrimmedOfBlanksOnly) {
  EXPECT_EQ(Fields(" a / b c /  ", "/", 3), (Parts{"a", "b c", ""}));
  EXPECT_EQ(Fields("\ta\t", "/", 1), Parts{"\ta\t"});
  EXPECT_EQ(Fields("   ", "/", 1), Parts{""});
}

TEST(SplitStringTest, ReadingStopsAfterMaxPartsFields) {
  EXPECT_EQ(Fields("a/b/c/d/e", "/", 3), (Parts{"a", "b", "c"}));
  EXPECT_EQ(Fields("a/b/c/", "/", 3), (Parts{"a", "b", "c"}));
  EXPECT_EQ(Fields("a/b", "/", 3), (Parts{"a", "b", ""}));
  EXPECT_EQ(Fields("", "/", 2), (Parts{"", ""}));
}

TEST(SplitStringTest, AnyDelimiterSplitsAndRunsGiveEmptyFields) {
  EXPECT_EQ(Fields("a;b,c;;d", ";,", 6), (Parts{"a", "b", "c", "", "d", ""}));
  // Delimiters compare exactly: no case folding.
  EXPECT_EQ(Fields("aXbxc", "x", 3), (Parts{"aXb", "c", ""}));
}

TEST(SplitStringTest, NoFieldsAskedForReadsNothing) {
  Parts parts{"x"};
  SplitString("a/b", "/", parts, 0);
  EXPECT_EQ(parts, Parts{""});
}

TEST(SplitFilePathTest, SplitsAtTheLastSeparator) {
  const struct {
    const char* path;
    const char* folder;
    const char* name;
  } cases[] = {{"/home/me/Photos/beach.jpg", "/home/me/Photos/", "beach.jpg"},
               {"beach.jpg", "", "beach.jpg"},
               {"/", "/", ""},
               {"/home/me/", "/home/me/", ""},
               {"", "", ""}};
  // The outputs keep what the previous case left, as a caller's variables would.
  std::string folder = "old", name = "old";
  for (const auto& c : cases) {
    SplitFilePath(c.path, folder, name);
    EXPECT_EQ(folder, c.folder) << c.path;
    EXPECT_EQ(name, c.name) << c.path;
  }
}

TEST(SplitFilePathTest, ThePathMayBeOneOfTheOutputs) {
  std::string path = "/a/b/c.jpg", name;
  SplitFilePath(path, path, name);
  EXPECT_EQ(path, "/a/b/");
  EXPECT_EQ(name, "c.jpg");
  path = "/a/b/c.jpg";
  std::string folder;
  SplitFilePath(path, folder, path);
  EXPECT_EQ(folder, "/a/b/");
  EXPECT_EQ(path, "c.jpg");
}
