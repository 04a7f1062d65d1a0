#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "archive/archive_utils.h"
#include "platform/forms.h"
#include "support/temp_archive.h"

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

class frmTestMain : public qm::Form<frmTestMain> {
public:
  static constexpr const char* FormName = "frmTestMain";
};

class frmTestOne : public qm::Form<frmTestOne> {
public:
  static constexpr const char* FormName = "frmTestOne";
};

// Unloading this window also unloads the other small one, as some windows do.
class frmTestTwo : public qm::Form<frmTestTwo> {
public:
  static constexpr const char* FormName = "frmTestTwo";
  void Form_Unload(bool& cancel) override {
    (void)cancel;
    frmTestOne::Unload();
  }
};

std::vector<std::string> LoadedNames() {
  std::vector<std::string> names;
  for (const auto& f : qm::FormRegistry::Loaded()) names.push_back(f.name);
  return names;
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

using ShellTest = TempArchive;

TEST_F(ShellTest, AMissingDocumentFailsWithASmallNumber) {
  EXPECT_LE(OpenWithShell(Path("Help/index.html"), 1), 32);
}

TEST(UnloadOtherFormsTest, OnlyTheNamedWindowStaysLoaded) {
  frmTestMain::Get();
  QPointer<QWidget> one = &frmTestOne::Get();
  QPointer<QWidget> two = &frmTestTwo::Get();
  frmTestTwo::Get().show();
  ASSERT_EQ(LoadedNames().size(), 3u);

  UnloadOtherForms(frmTestMain::FormName);
  EXPECT_EQ(LoadedNames(), std::vector<std::string>{"frmTestMain"});
  EXPECT_TRUE(frmTestMain::IsLoaded());
  EXPECT_FALSE(frmTestOne::IsLoaded());
  EXPECT_FALSE(frmTestTwo::IsLoaded());

  // Unloaded windows are destroyed.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(one.isNull());
  EXPECT_TRUE(two.isNull());

  // Unloading the others of a window that is not loaded unloads everything.
  frmTestOne::Get();
  UnloadOtherForms("frmNobody");
  EXPECT_TRUE(LoadedNames().empty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
