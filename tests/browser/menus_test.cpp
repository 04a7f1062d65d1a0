// The main window's menus as a user reaches them: the whole tree, every item by its
// access keys on the real keyboard path, the opening rules, and the Help page.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "browser/frmSSP.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "media/frmFullScreen.h"
#include "platform/ui_runtime.h"
#include "window_fixture.h"

namespace {

using Rows = std::vector<std::string>;

// A menu as "name|caption" rows, a submenu's items indented under it.
void Tree(const QMenu* menu, Rows& out, const std::string& indent = "") {
  for (QAction* a : menu->actions()) {
    const QObject* named = a->menu() ? static_cast<QObject*>(a->menu()) : a;
    out.push_back(indent + named->objectName().toStdString() + "|" +
                  (a->isSeparator() ? "-" : a->text().toStdString()));
    if (a->menu()) Tree(a->menu(), out, indent + "  ");
  }
}

// The key that selects an item in its menu, 0 when its caption has none.
int AccessKey(const QAction* a) { return QKeySequence::mnemonic(a->text())[0].key(); }

class Menus : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    AddPhoto("a.jpg");
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"a.jpg"}));
    Write("Photo_SlideGroups/Beach.lst", CrLf({"a.jpg"}));
  }

  // The window shown and active, as keys need it.
  static frmMain& Shown() {
    frmMain& f = frmMain::Get();
    f.show();
    QApplication::setActiveWindow(&f);
    QApplication::processEvents();
    return f;
  }

  // Enables every item of the menus and cuts them off from the window's commands;
  // chosen then names the item a menu reports as triggered.
  static void HoldCommandsBack(frmMain& f, const std::vector<QMenu*>& menus, QAction*& chosen) {
    for (QMenu* m : menus) {
      QObject::connect(m, &QMenu::triggered, m, [&chosen](QAction* a) { chosen = a; });
      for (QAction* a : m->actions()) {
        a->setEnabled(true);
        a->disconnect(&f);
      }
    }
  }

  // Escape closes the open menu; the offscreen platform does not hand the
  // activation back to the window by itself.
  static void CloseByEscape(frmMain& f) {
    while (QWidget* up = QApplication::activePopupWidget()) QTest::keyClick(up, Qt::Key_Escape);
    QApplication::processEvents();
    QApplication::setActiveWindow(&f);
  }

  static std::vector<QMenu*> AllMenus(frmMain& f) {
    return {f.mnuFile, f.mnuEdit, f.mnuView, f.mnuSet, f.mnuSetInfo, f.mnuHelp, f.mnuGroup, f.mnuGroupSort, f.mnuThumb};
  }
};

TEST_F(Menus, TreeHasEveryCaptionNameAndSeparatorInOrder) {
  frmMain& f = frmMain::Get();
  const std::map<std::string, Rows> expected = {
      {"mnuFile",
       {"mnuFileCreate|&Create Group", "mnuFileRemove|&Remove Group", "mnuFileDash1|-",
        "mnuFileRenameGroup|Re&name Group", "mnuFileDash2|-", "mnuFileMidi|&Add MIDI Backgroup Music to Group ...",
        "mnuFileDash3|-", "mnuFileImport|&Import / Auto-Scan ...", "mnuFileExport|&Export ...", "mnuFileDash4|-",
        "mnuFileExit|E&xit"}},
      {"mnuEdit",
       {"mnuEditInfo|Photo &Information", "mnuEditDash1|-", "mnuEditAdd|&Copy to Group ...",
        "mnuEditMove|&Move to Group ...", "mnuEditDash2|-",
        "mnuEditRemoveFromGroup|Remove Selected Photo(s) from &Group",
        "mnuEditRemoveFromAlbum|Remove Selected Photo(s) from &Program", "mnuEditDash3|-",
        "mnuEditSearchAppend|&Find/Search && Append ...", "mnuEditDash4|-", "mnuEditSort|&Sort", "mnuEditDash5|-",
        "mnuEditWaveLink|&Add Audio Clip to Photo(s)"}},
      {"mnuView",
       {"mnuViewNext|&Next Photo", "mnuViewPrevious|&Previous Photo", "mnuViewDash1|-",
        "mnuViewReduce|&Reduce - Zoom Out", "mnuViewEnlarge|&Enlarge - ZoomIn", "mnuViewDash2|-",
        "mnuViewSlideshow|&Slide Show", "mnuViewFullscreen|&Full Screen"}},
      {"mnuSet",
       {"mnuSetInfo|&Information Box", "  mnuSetInfoUp|Always &Up", "  mnuSetInfoNormal|&Pop Up/Down",
        "  mnuSetInfoDown|Always &Down"}},
      {"mnuHelp", {"mnuHelpContents|&Contents", "mnuHelpDash1|-", "mnuHelpAbout|&About Quillmont"}},
      {"mnuGroup",
       {"mnuGroupSort|Sort Group by Field", "  mnuGroupSortYear|Year", "  mnuGroupSortPlace|Place",
        "  mnuGroupSortEvent|Event", "  mnuGroupSortPeople|People", "  mnuGroupSortPhotographer|Photographer",
        "  mnuGroupSortFilename|Filename", "mnuGroupNewGroup|&Create Group", "mnuGroupRemove|&Remove Group",
        "mnuGroupDash1|-", "mnuGroupRenameGroup|Re&name Group", "mnuGroup1A|-",
        "mnuGroupMidi|&Add MIDI Backgroup Music to Group ...", "mnuGroup1B|-",
        "mnuGroupImport|&Import / Auto-Scan Photos ...", "mnuGroupExport|&Export Photos ...", "mnuGroupDash2|-",
        "mnuGroupSearchAppend|&Find/Search && Append ..."}},
      {"mnuThumb",
       {"mnuThumbAdd|Copy to Group ...", "mnuThumbMove|Move to Group ...", "mnuThumbDash1|-",
        "mnuThumbMoveNewGroup|Create &New Group", "mnuThumbDash2|-", "mnuThumbRemove|Remove from Group"}},
  };
  for (QMenu* m : {f.mnuFile, f.mnuEdit, f.mnuView, f.mnuSet, f.mnuHelp, f.mnuGroup, f.mnuThumb}) {
    Rows got;
    Tree(m, got);
    EXPECT_EQ(got, expected.at(m->objectName().toStdString())) << m->objectName().toStdString();
  }
  // The two pop-ups never show in the bar; nothing has a shortcut key.
  Rows bar;
  for (QAction* a : f.menuBar->actions())
    bar.push_back(a->menu()->objectName().toStdString() + "|" + a->text().toStdString());
  EXPECT_EQ(bar, (Rows{"mnuFile|&File", "mnuEdit|&Edit", "mnuView|&View", "mnuSet|&Settings", "mnuHelp|&Help"}));
  EXPECT_EQ(f.mnuGroup->title(), "GroupMenu");
  EXPECT_EQ(f.mnuThumb->title(), "ThumbnailMenu");
  for (QMenu* m : AllMenus(f))
    for (QAction* a : m->actions()) EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
}

TEST_F(Menus, AccessKeysAreUniqueWithinEachMenu) {
  frmMain& f = frmMain::Get();
  auto unique = [](const QList<QAction*>& items, const std::string& where) {
    std::set<int> keys;
    for (QAction* a : items) {
      const int k = AccessKey(a);
      EXPECT_TRUE(k == 0 || keys.insert(k).second) << where << ": " << a->text().toStdString();
    }
  };
  unique(f.menuBar->actions(), "menu bar");
  for (QMenu* m : AllMenus(f)) unique(m->actions(), m->objectName().toStdString());
}

// Every item with an access key, reached from the window by Alt and the keys on
// its way, as a user types them. The items' commands are held back: the menus'
// report of which item the keys chose is what counts.
TEST_F(Menus, EveryItemOfTheMenuBarIsReachedByItsAccessKeys) {
  frmMain& f = Shown();
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);  // Beach: the opening rules enable all they can
  ASSERT_EQ(gAlbumState.CurrentGroupName, "Beach");
  QAction* chosen = nullptr;
  HoldCommandsBack(f, AllMenus(f), chosen);

  struct Way {
    std::vector<int> keys;  // after Alt+keys[0]
    QAction* item;
  };
  std::vector<Way> ways;
  for (QAction* top : f.menuBar->actions())
    for (QAction* a : top->menu()->actions()) {
      if (a->isSeparator()) continue;
      if (!a->menu()) {
        ways.push_back({{AccessKey(top), AccessKey(a)}, a});
        continue;
      }
      for (QAction* sub : a->menu()->actions()) ways.push_back({{AccessKey(top), AccessKey(a), AccessKey(sub)}, sub});
    }
  ASSERT_EQ(ways.size(), 26u);

  for (const Way& w : ways) {
    const std::string name = w.item->objectName().toStdString();
    chosen = nullptr;
    QTest::keyClick(&f, Qt::Key(w.keys[0]), Qt::AltModifier);
    for (std::size_t k = 1; k < w.keys.size(); ++k) {
      QWidget* up = QApplication::activePopupWidget();
      ASSERT_TRUE(up) << name << " key " << k;
      QTest::keyClick(up, Qt::Key(w.keys[k]));
    }
    EXPECT_EQ(chosen, w.item) << name;
    CloseByEscape(f);
  }
}

TEST_F(Menus, PopUpItemsWithAccessKeysAreReachedByThem) {
  frmMain& f = Shown();
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  QAction* chosen = nullptr;
  HoldCommandsBack(f, {f.mnuGroup, f.mnuThumb}, chosen);
  struct Case {
    std::function<void()> open;
    QAction* item;
  };
  const auto group = [&] { f.pctAlbumList_MouseDown(1, 2, 0, 0, 0); };
  const auto thumb = [&] { f.imgThumbnail_MouseDown(0, 2, 0, 0, 0); };
  const std::vector<Case> cases = {
      {group, f.mnuGroupNewGroup}, {group, f.mnuGroupRemove},       {group, f.mnuGroupRenameGroup},
      {group, f.mnuGroupMidi},     {group, f.mnuGroupImport},       {group, f.mnuGroupExport},
      {group, f.mnuGroupSearchAppend}, {thumb, f.mnuThumbMoveNewGroup}};
  for (const Case& c : cases) {
    chosen = nullptr;
    const WhenReady up([] { return QApplication::activePopupWidget() != nullptr; }, [&] {
      QWidget* p = QApplication::activePopupWidget();
      QTest::keyClick(p, Qt::Key(AccessKey(c.item)));
      if (QApplication::activePopupWidget() == p) p->close();
    });
    c.open();
    EXPECT_TRUE(up.Acted());
    EXPECT_EQ(chosen, c.item) << c.item->objectName().toStdString();
  }
}

// The rules run as the menu opens: Alt+F and Alt+E, then look.
TEST_F(Menus, FileAndEditRulesKeepTheAllPhotosGroupWholeInAnyLetterCase) {
  for (const std::string g : {"  all photos  ", "  ALL PHOTOS  ", "All Photos"})
    Write("Photo_SlideGroups/" + g + ".lst", CrLf({"a.jpg"}));
  struct Case {
    std::string group;
    bool enabled;
  };
  const std::vector<Case> cases = {
      {"  All Photos  ", false}, {"  all photos  ", false}, {"  ALL PHOTOS  ", false},
      {"All Photos", true},      {"Beach", true},
  };
  frmMain& f = Shown();
  for (const Case& c : cases) {
    // The strip shows one all-photos button whatever the case; a load by file name
    // can still bring in another spelling.
    ASSERT_TRUE(f.LoadSlideGroup(c.group + ".lst")) << c.group;
    ASSERT_EQ(gAlbumState.CurrentGroupName, c.group);
    QTest::keyClick(&f, Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), f.mnuFile) << c.group;
    EXPECT_EQ(f.mnuFileRemove->isEnabled(), c.enabled) << c.group;
    EXPECT_EQ(f.mnuFileRenameGroup->isEnabled(), c.enabled) << c.group;
    EXPECT_TRUE(f.mnuFileCreate->isEnabled()) << c.group;
    CloseByEscape(f);
    QTest::keyClick(&f, Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), f.mnuEdit) << c.group;
    EXPECT_EQ(f.mnuEditMove->isEnabled(), c.enabled) << c.group;
    EXPECT_TRUE(f.mnuEditAdd->isEnabled()) << c.group;
    EXPECT_TRUE(f.mnuEditRemoveFromGroup->isEnabled()) << c.group;
    CloseByEscape(f);
  }
}

TEST_F(Menus, RulesGoByTheLoadedGroupWhileTheStripIsScrolledAway) {
  for (int i = 1; i <= 12; ++i) Write("Photo_SlideGroups/Group" + std::to_string(i) + ".lst", "");
  frmMain& f = Shown();
  ASSERT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
  ASSERT_TRUE(f.ScrollGroupNames(4));
  ASSERT_EQ(gAlbumState.SelectedButton, -1);
  f.mnuFile_Click();
  f.mnuEdit_Click();
  EXPECT_FALSE(f.mnuFileRemove->isEnabled());
  EXPECT_FALSE(f.mnuEditMove->isEnabled());

  f.pctAlbumList_MouseDown(0, 1, 0, 0, 0);  // a group shown at the top after the scroll
  ASSERT_NE(gAlbumState.CurrentGroupName, kAllPhotosGroup);
  ASSERT_TRUE(f.ScrollGroupNames(0));  // all photos back on button 0, the loaded group elsewhere
  f.mnuFile_Click();
  f.mnuEdit_Click();
  EXPECT_TRUE(f.mnuFileRemove->isEnabled());
  EXPECT_TRUE(f.mnuEditMove->isEnabled());
}

TEST_F(Menus, SortItemsStayDisabledAndDoNothing) {
  frmMain& f = Shown();
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  f.mnuEdit_Click();
  EXPECT_FALSE(f.mnuEditSort->isEnabled());
  EXPECT_FALSE(f.mnuGroupSort->menuAction()->isEnabled());
  const std::string before = Read("Photo_SlideGroups/Beach.lst");
  QList<QAction*> items = f.mnuGroupSort->actions();
  items.push_back(f.mnuEditSort);
  for (QAction* a : items) {
    a->setEnabled(true);
    a->trigger();
  }
  QApplication::processEvents();
  EXPECT_TRUE(prompter.Prompts().empty());
  EXPECT_EQ(Read("Photo_SlideGroups/Beach.lst"), before);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// While the information box is edited the menus are locked: no key and no right
// click on the background reaches a command.
TEST_F(Menus, EditingLocksEveryMenuOfTheBarAndTheHelpPopUp) {
  frmMain& f = Shown();
  f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
  f.cmdEditPhotoInfo_Click();
  ASSERT_TRUE(gAlbumState.InfoEditMode);
  for (int key : {Qt::Key_F, Qt::Key_E, Qt::Key_V, Qt::Key_S, Qt::Key_H}) {
    QTest::keyClick(&f, Qt::Key(key), Qt::AltModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << QKeySequence(key).toString().toStdString();
    CloseByEscape(f);
  }
  f.Form_MouseDown(2, 0, 0, 0);
  EXPECT_FALSE(f.mnuHelp->isVisible());

  f.cmdEditPhotoInfo_Click();
  ASSERT_FALSE(gAlbumState.InfoEditMode);
  QTest::keyClick(&f, Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(QApplication::activePopupWidget(), f.mnuView);
  CloseByEscape(f);
  f.Form_MouseDown(2, 0, 0, 0);
  EXPECT_TRUE(f.mnuHelp->isVisible());
  f.mnuHelp->close();
}

// A click on a caption label does what a click on its picture button does.
TEST_F(Menus, ToolbarCaptionsRunTheirButtonsCommands) {
  for (const char* name : {"b.jpg", "c.jpg"}) AddPhoto(name);
  Write("Photo_SlideGroups/Beach.lst", CrLf({"a.jpg", "b.jpg", "c.jpg"}));
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddJpeg(name, 800, 600);
  frmMain& f = Shown();
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  f.imgThumbnail_DblClick(0);
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 1);
  struct Case {
    int label;
    const char* caption;
    std::int32_t index;
    int zoom;
  };
  const int fit = gAlbumState.ZoomLevel;
  const std::vector<Case> cases = {
      {0, ">>", 2, fit}, {0, ">>", 3, fit}, {1, "<<", 2, fit}, {6, "Enlarge", 2, fit + 1}, {5, "Reduce", 2, fit},
  };
  for (const Case& c : cases) {
    qm::EventLabel* label = f.lbButtonText[std::size_t(c.label)];
    ASSERT_EQ(label->text(), c.caption);
    Click(label);
    EXPECT_EQ(gAlbumState.CurrentImageIndex, c.index) << c.caption;
    EXPECT_EQ(gAlbumState.ZoomLevel, c.zoom) << c.caption;
  }
  // "Slide Show" asks for the show's settings; "Full Screen" opens the viewer.
  bool asked = false;
  {
    const WhenReady up([] { return ModalUp<QWidget>() != nullptr; }, [&] {
      asked = ModalUp<frmSSP>() != nullptr;
      ModalUp<QWidget>()->close();
    });
    Click(f.lbButtonText[7]);
  }
  EXPECT_TRUE(asked);
  Click(f.lbButtonText[8]);
  EXPECT_TRUE(frmFullScreen::IsLoaded());
  frmFullScreen::Unload();
  EXPECT_TRUE(LogEntries().empty());
}

// Contents and Exit by their keys run their commands: the Help page of the program
// folder opens, and the window unloads.
TEST_F(Menus, ContentsAndExitByTheirKeysRunTheirCommands) {
  std::vector<std::string> opened;
  const qm::ShellOpener desktop = qm::SetShellOpener([&](const std::string& path) {
    opened.push_back(path);
    return 42;
  });
  frmMain& f = Shown();
  QTest::keyClick(&f, Qt::Key_H, Qt::AltModifier);
  ASSERT_EQ(QApplication::activePopupWidget(), f.mnuHelp);
  QTest::keyClick(f.mnuHelp, Qt::Key_C);
  qm::SetShellOpener(desktop);
  EXPECT_EQ(opened, (std::vector<std::string>{Root() + "/Help/index.html"}));
  CloseByEscape(f);

  QTest::keyClick(&f, Qt::Key_F, Qt::AltModifier);
  ASSERT_EQ(QApplication::activePopupWidget(), f.mnuFile);
  QTest::keyClick(f.mnuFile, Qt::Key_X);
  QApplication::processEvents();
  EXPECT_FALSE(frmMain::IsLoaded());
}

}  // namespace
