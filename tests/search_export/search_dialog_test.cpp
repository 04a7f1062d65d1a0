// The search dialog on a real archive: searches over real information files,
// appends to real group lists, and its use by the import run without showing it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "core/group_names.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "search_export/frmSearch.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"
#include "support/wait_until.h"

namespace {

using Lines = std::vector<std::string>;

class SearchDialog : public TempArchive {
protected:
  void SetUp() override {
    TempArchive::SetUp();
    lstSlideGroups.Clear();
    for (const char* g : {"  All Photos  ", "Beach", "Summer"}) lstSlideGroups.AddItem(g);
  }
  void TearDown() override {
    if (frmSearch::IsLoaded()) frmSearch::Unload();
    QApplication::processEvents();
    lstSlideGroups.Clear();
    TempArchive::TearDown();
  }

  void Info(const std::string& photo, const Lines& lines) { Write("Photo_Info/" + photo + ".info", CrLf(lines)); }
  void Info(const std::string& photo, const std::string& title, const std::string& year) {
    Info(photo, {"PhotoPath=\\Photos\\" + photo, "TITLE=" + title, "PHOTOGRAPHER=", "YEAR=" + year, "PEOPLE=",
                 "PLACE=", "EVENT=", "KEYWORDS=", "ImageWidth=0", "ImageHeight=0"});
  }
  std::string Group(const std::string& name) const { return Read("Photo_SlideGroups/" + name + ".lst"); }
  bool HasGroup(const std::string& name) const { return Exists("Photo_SlideGroups/" + name + ".lst"); }

  static frmSearch& S() { return frmSearch::Get(); }
  static std::string Progress() { return S().lbProgress->text().toStdString(); }
  static void Search() { S().cmdSearch->click(); }
};

// What the import run relies on: the combo's text, SetNewList and cmdSave_Click
// on a window that is loaded but never shown. A name that differs from a listed
// group only in case appends to that group.
TEST_F(SearchDialog, ImportRunAppendsThroughTheHiddenWindowToTheGroupAsListed) {
  Write("Photo_SlideGroups/Beach.lst", "old.jpg");  // a last line without its end
  Write("Photo_SlideGroups/Summer.lst", CrLf({"old.jpg"}));
  QComboBox* combo = S().cmbGroupName;
  EXPECT_FALSE(S().isVisible());
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), "  All Photos  ");
  EXPECT_EQ(combo->currentText(), "");

  S().SetNewList({"", "x.jpg.info", "y.png.info"});
  for (const char* group : {"Beach", "  All Photos  ", "SUMMER", "  all photos  "}) {
    combo->setEditText(group);
    EXPECT_TRUE(S().cmdSave_Click()) << group;
  }
  EXPECT_EQ(Group("Beach"), CrLf({"old.jpg", "x.jpg", "y.png"}));
  EXPECT_EQ(Group("Summer"), CrLf({"old.jpg", "x.jpg", "y.png"}));
  EXPECT_EQ(Group("  All Photos  "), CrLf({"x.jpg", "y.png", "x.jpg", "y.png"}));
  EXPECT_FALSE(HasGroup("SUMMER"));
  EXPECT_FALSE(HasGroup("  all photos  "));
  EXPECT_FALSE(S().isVisible());
  EXPECT_TRUE(prompter.Prompts().empty());
}

TEST_F(SearchDialog, AppendMakesNewGroupsAndListsTwiceWhatIsAppendedTwice) {
  S().cmbGroupName->setEditText("Autumn");
  S().SetNewList({"", "a.jpg.info", "noDot"});
  ASSERT_TRUE(S().cmdSave_Click());
  ASSERT_TRUE(S().cmdSave_Click());
  EXPECT_EQ(Group("Autumn"), CrLf({"a.jpg", "a.jpg"}));

  // Before any search there is nothing to append: the list is made, empty.
  frmSearch::Unload();
  QApplication::processEvents();
  S().cmbGroupName->setEditText("Empty");
  ASSERT_TRUE(S().cmdSave_Click());
  EXPECT_EQ(Group("Empty"), "");
}

TEST_F(SearchDialog, NamesAreCheckedBeforeAnythingIsWritten) {
  S().SetNewList({"", "a.jpg.info"});
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_FALSE(S().cmdSave_Click());
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Please create group name OR select from list to append to existing group.");

  S().cmbGroupName->setEditText("Sum?mer");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_FALSE(S().cmdSave_Click());
  EXPECT_EQ(S().cmbGroupName->currentText(), "Sum_mer");
  EXPECT_NE(prompter.Prompts().back().text.find("Your 'GroupName' contained illegal characters."), std::string::npos);
  EXPECT_FALSE(HasGroup("Sum?mer"));
  EXPECT_FALSE(HasGroup("Sum_mer"));

  EXPECT_TRUE(S().cmdSave_Click());  // the second press appends
  EXPECT_EQ(Group("Sum_mer"), CrLf({"a.jpg"}));
}

TEST_F(SearchDialog, FailedAppendIsShownAndLeavesTheListWhole) {
  Write("Photo_SlideGroups/Beach.lst", CrLf({"old.jpg"}));
  S().SetNewList({"", "new.jpg.info"});
  {
    ReadOnlyFolder locked(Path("Photo_SlideGroups"));
    ASSERT_TRUE(locked.ok());
    for (const char* group : {"Beach", "Brand New"}) {
      S().cmbGroupName->setEditText(group);
      prompter.ExpectMsg(qm::MsgAnswer::OK);
      EXPECT_FALSE(S().cmdSave_Click()) << group;
      EXPECT_NE(prompter.Prompts().back().text.find("could not be appended to the group \"" + std::string(group)),
                std::string::npos);
    }
  }
  EXPECT_EQ(Group("Beach"), CrLf({"old.jpg"}));
  EXPECT_FALSE(HasGroup("Brand New"));
  EXPECT_TRUE(LogHas("cmdSave_Click"));
}

TEST_F(SearchDialog, EmptyBoxesFindEveryFileInNameOrder) {
  Search();  // an empty folder leaves the count at nought
  EXPECT_EQ(Progress(), "Searched 0 (0%) -> Found 0");
  EXPECT_EQ(S().SearchResults, Lines{""});
  EXPECT_EQ(S().cmdSearch->text(), "&Search");
  Info("c.jpg", "Cliffs", "2001");
  Info("a.jpg", {});
  Info("B.gif", "Beach", "1997");
  Write("Photo_Info/notes.txt", "TITLE=x");
  Search();
  EXPECT_EQ(Progress(), "Searched 3 (100%) -> Found 3");
  EXPECT_EQ(S().SearchResults, (Lines{"", "a.jpg.info", "B.gif.info", "c.jpg.info"}));
  EXPECT_EQ(S().cmdSearch->text(), "&Search");
  EXPECT_FALSE(S().SearchBusy);
  EXPECT_EQ(S().shpProgress->width(), S().pctProgress->contentsRect().width());
}

TEST_F(SearchDialog, CriteriaAreTestedAgainstValuesNotKeys) {
  Info("beach.jpg", "Beach", "1997");
  Info("cliffs.jpg", "Cliffs", "1989");
  Info("new.PNG", "Lake", "1995");
  struct Case {
    QLineEdit* frmSearch::*box;
    const char* text;
    Lines found;
  };
  const Case cases[] = {
      {&frmSearch::txtTitle, "tle", {""}},  // every file has a title line
      {&frmSearch::txtTitle, "BEACH", {"", "beach.jpg.info"}},
      {&frmSearch::txtYear, "199", {"", "beach.jpg.info", "new.PNG.info"}},
      {&frmSearch::txtYear, "*", {"", "beach.jpg.info", "cliffs.jpg.info", "new.PNG.info"}},
      {&frmSearch::txtFilename, "JPG", {"", "beach.jpg.info", "cliffs.jpg.info"}},
      {&frmSearch::txtkeywords, "sea", {""}},
  };
  for (const Case& c : cases) {
    for (QLineEdit* box : {S().txtTitle, S().txtYear, S().txtFilename, S().txtkeywords}) box->clear();
    (S().*c.box)->setText(c.text);
    Search();
    EXPECT_EQ(S().SearchResults, c.found) << c.text;
  }
  S().txtYear->setText("19999");
  EXPECT_EQ(S().txtYear->text(), "1999");  // the year box takes four characters
}

// A file that cannot be read is logged and passed over; the search goes on.
TEST_F(SearchDialog, UnreadableFilesAreSkippedLoggedAndCounted) {
  Info("a.jpg", "Beach A", "");
  Info("c.jpg", "Beach C", "");
  // Listed as a regular file, but every read of it fails.
  ASSERT_EQ(::symlink("/proc/self/mem", Path("Photo_Info/b.jpg.info").c_str()), 0);
  S().txtTitle->setText("beach");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  Search();
  EXPECT_EQ(S().SearchResults, (Lines{"", "a.jpg.info", "c.jpg.info"}));
  EXPECT_EQ(Progress(), "Searched 3 (100%) -> Found 2");
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "1 information file(s) could not be read and were skipped.");
  EXPECT_TRUE(LogHas("b.jpg.info"));
  EXPECT_EQ(S().cmdSearch->text(), "&Search");
}

// The start button reads "Cancel" while the search runs; pressing it stops the
// search after the file in hand, and what was found can be appended.
TEST_F(SearchDialog, CancelStopsAfterTheFileInHand) {
  for (const char* p : {"a.jpg", "b.jpg", "c.jpg"}) Info(p, "t", "");
  bool sawRunning = false;
  QTimer::singleShot(0, [&] {
    sawRunning = S().SearchBusy && S().cmdSearch->text() == "Cancel";
    Search();  // busy: this click only asks the search to stop
  });
  Search();
  EXPECT_TRUE(sawRunning);
  EXPECT_EQ(Progress(), "Searched 1 (33%) -> Found 1");
  EXPECT_EQ(S().cmdSearch->text(), "&Search");
  EXPECT_FALSE(S().SearchBusy);
  S().cmbGroupName->setEditText("Beach");
  ASSERT_TRUE(S().cmdSave_Click());
  EXPECT_EQ(Group("Beach"), CrLf({"a.jpg"}));
}

// Alt+S searches from any box, search after search: the letter is never typed.
TEST_F(SearchDialog, AltSSearchesAgainAfterEverySearch) {
  EXPECT_EQ(S().cmdSearch->text(), "&Search");
  S().show();
  for (int run = 1; run <= 2; ++run) {
    Info("p" + std::to_string(run) + ".jpg", "t", "");
    S().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&S()));
    S().txtTitle->setFocus();
    QTest::keyClick(S().txtTitle, Qt::Key_S, Qt::AltModifier);
    const std::string done = "Searched " + std::to_string(run) + " (100%) -> Found " + std::to_string(run);
    ASSERT_TRUE(WaitUntil([&] { return Progress() == done && !S().SearchBusy; })) << run;
    EXPECT_EQ(S().cmdSearch->text(), "&Search");
  }
  EXPECT_EQ(S().txtTitle->text(), "");
}

// More files and results than a 16-bit count holds.
TEST_F(SearchDialog, NoLimitOfThirtyTwoThousandFiles) {
  constexpr int kFiles = 32770;
  std::filesystem::create_directories(Path("Photo_Info"));
  for (int i = 0; i < kFiles; ++i) {
    FILE* f = std::fopen(Path("Photo_Info/p" + std::to_string(i) + ".jpg.info").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  Search();
  EXPECT_EQ(Progress(), "Searched 32770 (100%) -> Found 32770");
  ASSERT_EQ(S().SearchResults.size(), size_t(kFiles) + 1);
  S().cmbGroupName->setEditText("Big");
  ASSERT_TRUE(S().cmdSave_Click());
  EXPECT_EQ(qm::ReadTextLines(Path("Photo_SlideGroups/Big.lst")).size(), size_t(kFiles));
}

}  // namespace
