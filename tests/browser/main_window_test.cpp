// The main window's opening, activation, menus and closing, on a real archive.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QLabel>
#include <QScrollBar>
#include <functional>
#include <map>
#include <set>

#include "browser/frmFirstTime.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "support/wait_until.h"
#include "window_fixture.h"

namespace {

class MainWindow : public WindowTest {
protected:
  // The start's archive check always leaves the all-photos list behind.
  void SetUp() override {
    WindowTest::SetUp();
    Write("Photo_SlideGroups/  All Photos  .lst", "");
  }

  // Closes the next modal window or pop-up that opens while it lives, and counts it.
  static WhenReady CloseNextModal(int* seen) {
    return WhenReady(ModalOrPopUpUp, [seen] {
      ++*seen;
      if (QWidget* p = QApplication::activePopupWidget())
        p->close();
      else
        QApplication::activeModalWidget()->close();
    });
  }

  void Activate() {
    frmMain::Get().Form_Activate();
    QApplication::processEvents();
  }
};

TEST_F(MainWindow, OpensOnAllPhotosWithItsButtonPressedAndNothingSelected) {
  AddPhoto("a.jpg");
  AddPhoto("b.jpg");
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"a.jpg", "b.jpg"}));
  frmMain& f = frmMain::Get();
  EXPECT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
  EXPECT_EQ(f.LoadedGroupFile(), kAllPhotosFile);
  EXPECT_EQ(f.lbAlbumList[0]->text().toStdString(), kAllPhotosGroup);
  EXPECT_EQ(gAlbumState.PhotoCount, 2);
  EXPECT_EQ(SelectedFlags.at(0), 0);
  EXPECT_EQ(f.framInfo->y(), 469 - 15);
  EXPECT_EQ(f.picVideoWindow->x(), 545 + 20);
  EXPECT_EQ(f.windowTitle(), "Quillmont");
  EXPECT_EQ(f.client->size(), QSize(800, 600));
  EXPECT_EQ(f.pctWindow->geometry(), QRect(204, 40, 545, 469));
}

TEST_F(MainWindow, GroupFolderWithOnlyTheAllPhotosListGivesAllPhotos) {
  frmMain& f = frmMain::Get();
  EXPECT_EQ(lstSlideGroups.ListCount(), 1);
  EXPECT_EQ(f.lbAlbumList[0]->text().toStdString(), kAllPhotosGroup);
  EXPECT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
}

TEST_F(MainWindow, FirstTimeNoticeOnceThenNever) {
  frmMain::Get();
  int seen = 0;
  {
    const WhenReady closer = CloseNextModal(&seen);
    Activate();
  }
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(gSettings.GetDravenholtSetting(kAppName, "Options", "FirstTime", "?"), "False");
  const WhenReady closer = CloseNextModal(&seen);
  Activate();
  QApplication::processEvents();
  EXPECT_EQ(seen, 1);
}

TEST_F(MainWindow, FirstTimeValueThatIsNoTruthValueIsLoggedOnceAndShowsNothing) {
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "maybe");
  frmMain::Get();
  int seen = 0;
  const WhenReady closer = CloseNextModal(&seen);
  Activate();
  QApplication::processEvents();
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(gSettings.GetDravenholtSetting(kAppName, "Options", "FirstTime", "?"), "maybe");
  const auto log = LogEntries();
  ASSERT_FALSE(log.empty());
  EXPECT_NE(log.back().find("An error has occurred in 'Form_Activate'. Error = "), std::string::npos);
  // Every modal window that closes activates the main window again.
  Activate();
  Activate();
  EXPECT_EQ(LogEntries(), log);
  EXPECT_EQ(seen, 0);
}

TEST_F(MainWindow, MenuBarHasTheFiveMenusAndTheirCaptions) {
  frmMain& f = frmMain::Get();
  QStringList titles;
  for (QAction* a : f.menuBar->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Settings", "&Help"}));
  EXPECT_EQ(f.mnuFileExit->text(), "E&xit");
  EXPECT_EQ(f.mnuEditSearchAppend->text(), "&Find/Search && Append ...");
  EXPECT_EQ(f.mnuGroupMidi->text(), "&Add MIDI Backgroup Music to Group ...");
  EXPECT_TRUE(f.mnuSetInfoNormal->isChecked());
  EXPECT_FALSE(f.mnuEditSort->isEnabled());
  EXPECT_FALSE(f.mnuGroupSort->menuAction()->isEnabled());
}

TEST_F(MainWindow, FileAndEditRulesFollowTheLoadedGroupByName) {
  Write("Photo_SlideGroups/Beach.lst", "");
  frmMain& f = frmMain::Get();
  f.mnuFile_Click();
  f.mnuEdit_Click();
  EXPECT_FALSE(f.mnuFileRemove->isEnabled());
  EXPECT_FALSE(f.mnuFileRenameGroup->isEnabled());
  EXPECT_FALSE(f.mnuEditMove->isEnabled());
  gAlbumState.CurrentGroupName = "Beach";
  f.mnuFile_Click();
  f.mnuEdit_Click();
  EXPECT_TRUE(f.mnuFileRemove->isEnabled());
  EXPECT_TRUE(f.mnuEditMove->isEnabled());
  gAlbumState.CurrentGroupName = "  all PHOTOS  ";
  f.mnuFile_Click();
  EXPECT_FALSE(f.mnuFileRemove->isEnabled());
}

TEST_F(MainWindow, RightClickOnBackgroundOpensHelpLeftClickNothing) {
  frmMain& f = frmMain::Get();
  f.show();
  f.Form_MouseDown(1, 0, 0, 0);
  EXPECT_FALSE(f.mnuHelp->isVisible());
  f.Form_MouseDown(2, 0, 0, 0);
  EXPECT_TRUE(f.mnuHelp->isVisible());
  f.mnuHelp->close();
}

TEST_F(MainWindow, ClosingUnloadsEveryOtherWindow) {
  frmMain::Get();
  frmFirstTime::Get();
  ASSERT_TRUE(frmFirstTime::IsLoaded());
  frmMain::Unload();
  QApplication::processEvents();
  EXPECT_FALSE(frmMain::IsLoaded());
  EXPECT_FALSE(frmFirstTime::IsLoaded());
}

// Every item of the menu and its submenus by name, enabled or not, as it stands.
void Collect(const QMenu* menu, std::map<std::string, bool>& out) {
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    // A submenu's item goes by the submenu's name.
    out[(a->menu() ? a->menu()->objectName() : a->objectName()).toStdString()] = a->isEnabled();
    if (a->menu()) Collect(a->menu(), out);
  }
}

// The items of the pop-up that open() brings up, as they stood while it was up.
std::map<std::string, bool> WhileUp(const std::function<void()>& open, const QMenu* menu) {
  std::map<std::string, bool> seen;
  const WhenReady up([] { return QApplication::activePopupWidget() != nullptr; }, [&] {
    Collect(menu, seen);
    QApplication::activePopupWidget()->close();
  });
  open();
  return seen;
}

TEST_F(MainWindow, OnlyTheSortItemsAreDisabledInEveryMenuPopUpAndButton) {
  AddPhoto("a.jpg");
  AddPhoto("b.jpg");
  Write("Photo_SlideGroups/Beach.lst", CrLf({"a.jpg", "b.jpg"}));
  Write("Photo_Audio/a.jpg.wav", "RIFF");
  frmMain& f = frmMain::Get();
  const std::set<std::string> disabled = {
      "mnuEditSort", "mnuGroupSort", "mnuGroupSortYear",
      "mnuGroupSortPlace", "mnuGroupSortEvent", "mnuGroupSortPeople", "mnuGroupSortPhotographer",
      "mnuGroupSortFilename"};
  auto check = [&](const std::map<std::string, bool>& items, const char* where) {
    EXPECT_FALSE(items.empty()) << where;
    for (const auto& [name, enabled] : items) EXPECT_EQ(enabled, !disabled.count(name)) << where << ": " << name;
  };

  // A group other than all photos, where the opening rules enable what they can.
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  ASSERT_EQ(gAlbumState.CurrentGroupName, "Beach");
  f.mnuFile_Click();
  f.mnuEdit_Click();
  std::map<std::string, bool> bar;
  for (QMenu* m : {f.mnuFile, f.mnuEdit, f.mnuView, f.mnuSet, f.mnuHelp}) Collect(m, bar);
  check(bar, "menu bar");
  check(WhileUp([&] { f.pctAlbumList_MouseDown(1, 2, 0, 0, 0); }, f.mnuGroup), "group pop-up");
  check(WhileUp([&] { f.imgThumbnail_MouseDown(0, 2, 0, 0, 0); }, f.mnuThumb), "thumbnail pop-up");

  // The clip buttons play beside a clip; the slide show button is enabled again
  // after an edit unlocked the window.
  f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
  ASSERT_EQ(f.lbInfo[6]->text(), "a.jpg");
  EXPECT_TRUE(f.cmdPlayAudioClip[0]->isEnabled());
  EXPECT_TRUE(f.cmdPlayAudioClip[1]->isEnabled());
  f.cmdEditPhotoInfo_Click();
  f.cmdEditPhotoInfo_Click();
  EXPECT_TRUE(f.cmdSlideshow->isEnabled());
  EXPECT_TRUE(f.lbButtonText[7]->isEnabled());
  EXPECT_TRUE(f.cmdFullScreen->isEnabled());
  bar.clear();
  for (QMenu* m : {f.mnuFile, f.mnuEdit, f.mnuView, f.mnuSet, f.mnuHelp}) Collect(m, bar);
  check(bar, "menu bar after editing");
}

// Whatever the counts, no caption of the status bar runs under a control, and
// each shows its whole text.
TEST_F(MainWindow, StatusLabelsFollowEachOtherAndShowTheirWholeText) {
  std::vector<std::string> names;
  for (int i = 1; i <= 2000; ++i) names.push_back("photo" + std::to_string(i) + ".jpg");
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
  frmMain& f = frmMain::Get();
  f.show();
  f.VScroll1->setValue(125);
  f.SetCountLabel(2000);
  for (std::int32_t k = 1; k <= 1500; ++k) SelectedFlags[std::size_t(k)] = 1;
  gAlbumState.SelectedCount = 1500;
  f.ShowGroupListSelect();
  f.lbZoom->setText("Zoom  1/12");
  f.EnableVideo(true);  // a clip's buttons shown and enabled
  for (QPushButton* b : f.cmdPlayAudioClip) b->setEnabled(true);
  QApplication::processEvents();
  ASSERT_EQ(f.lbStatusPage->text(), "Page 125 of 125");
  ASSERT_EQ(f.lbStatusCount->text(), "Photo 2000 of 2000");
  const std::vector<QLabel*> bar = {f.lbStatusPage, f.lbStatusCount, f.lbStatusSelected, f.lbZoom};
  auto inClient = [&](QLabel* l) { return OnPanel(f.client, l); };
  for (std::size_t k = 0; k < bar.size(); ++k) {
    QLabel* l = bar[k];
    EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(l->text()))
        << l->objectName().toStdString();
    if (k > 0) {
      EXPECT_GT(inClient(l).left(), inClient(bar[k - 1]).right()) << l->objectName().toStdString();
    }
    EXPECT_EQ(PartsMeeting(f.client, l), "") << l->objectName().toStdString();
    EXPECT_LE(l->geometry().right(), l->parentWidget()->width()) << l->objectName().toStdString();
  }
  // A shorter text pulls the labels that follow to the left again.
  const int selectedLeft = inClient(f.lbStatusSelected).left();
  f.SetCountLabel(1);
  QApplication::processEvents();
  EXPECT_FALSE(inClient(f.lbStatusSelected).intersects(inClient(f.lbStatusCount)));
  EXPECT_LT(inClient(f.lbStatusSelected).left(), selectedLeft);
}

}  // namespace
