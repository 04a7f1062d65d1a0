// How the user reaches the search dialog from the main window, and what an append
// made there does to the main window's group strip.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <string>

#include "browser/frmMain.h"
#include "browser/window_fixture.h"
#include "core/group_names.h"
#include "search_export/frmSearch.h"

namespace {

class SearchReach : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    Write("Photo_SlideGroups/  All Photos  .lst", "");
    Write("Photo_SlideGroups/Beach.lst", "");
  }
  void TearDown() override {
    if (frmSearch::IsLoaded()) frmSearch::Unload();
    WindowTest::TearDown();
  }

  // Runs open; while the search dialog is up as a modal window, runs inside on it
  // and closes it. False when no modal search dialog came.
  static bool WhileSearchIsUp(const std::function<void()>& open,
                              const std::function<void(frmSearch&)>& inside = nullptr) {
    bool seen = false;
    const WhenReady up([] { return ModalUp<frmSearch>() != nullptr; }, [&] {
      frmSearch& dialog = *ModalUp<frmSearch>();
      seen = dialog.windowTitle() == "Create Album Groups";
      if (inside) inside(dialog);
      dialog.close();
    });
    open();
    QApplication::processEvents();
    return seen;
  }
};

TEST_F(SearchReach, FindSearchMenuItemsOpenTheDialogModally) {
  frmMain& f = frmMain::Get();
  for (QAction* item : {f.mnuEditSearchAppend, f.mnuGroupSearchAppend}) {
    EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    bool importOff = false;
    EXPECT_TRUE(WhileSearchIsUp([&] { item->trigger(); },
                                [&](frmSearch& s) { importOff = !s.cmdImport->isEnabled(); }))
        << item->objectName().toStdString();
    EXPECT_FALSE(importOff) << "the import dialog opens from here";
    EXPECT_FALSE(frmSearch::IsLoaded());  // unloaded once closed
  }
}

// A group made by an append shows in the strip at once, and in the dialog's list
// from its next opening.
TEST_F(SearchReach, NewGroupShowsInTheStripAndInTheNextDialog) {
  frmMain& f = frmMain::Get();
  ASSERT_TRUE(WhileSearchIsUp([&] { f.cmdCreateAlbumGroup_Click(); }, [](frmSearch& s) {
    s.cmbGroupName->setEditText("Summer");
    s.SetNewList({"", "a.jpg.info"});
    EXPECT_TRUE(s.cmdSave_Click());
    EXPECT_EQ(s.cmbGroupName->findText("Summer"), -1);
  }));
  EXPECT_EQ(Read("Photo_SlideGroups/Summer.lst"), CrLf({"a.jpg"}));
  EXPECT_EQ(f.lbAlbumList[2]->text(), "Summer");
  EXPECT_FALSE(f.pctAlbumList[2]->isHidden());

  // One an import left loaded unseen is loaded afresh for the user.
  lstSlideGroups.AddItem("Zoo");
  frmSearch::Get();
  lstSlideGroups.AddItem("Autumn");
  int listed = 0;
  ASSERT_TRUE(WhileSearchIsUp([&] { f.cmdCreateAlbumGroup_Click(); },
                              [&](frmSearch& s) { listed = s.cmbGroupName->count(); }));
  EXPECT_EQ(listed, 5);
}

// With no groups to be found the main window says so and opens the search.
TEST_F(SearchReach, NoGroupsFoundAtStartOpensTheSearch) {
  std::filesystem::remove_all(Path("Photo_SlideGroups"));
  // A folder that cannot be listed: a link to itself.
  ASSERT_EQ(::symlink(Path("Photo_SlideGroups").c_str(), Path("Photo_SlideGroups").c_str()), 0);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_TRUE(WhileSearchIsUp([] { frmMain::Get(); }));
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text.rfind("No album groups have been defined.", 0), 0u);
}

}  // namespace
