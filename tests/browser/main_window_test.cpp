// The main window's opening, activation, menus and closing, on a real archive.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "browser/frmFirstTime.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "window_fixture.h"

namespace {

class MainWindow : public WindowTest {
protected:
  // The start's archive check always leaves the all-photos list behind.
  void SetUp() override {
    WindowTest::SetUp();
    Write("Photo_SlideGroups/  All Photos  .lst", "");
  }

  // Closes whatever modal window or pop-up opens next, and counts it.
  void CloseNextModal(int* seen) {
    QTimer::singleShot(50, [seen] {
      if (QWidget* w = QApplication::activeModalWidget()) {
        ++*seen;
        w->close();
      } else if (QWidget* p = QApplication::activePopupWidget()) {
        ++*seen;
        p->close();
      }
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
  EXPECT_EQ(f.client->size(), QSize(800, 572));
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
  CloseNextModal(&seen);
  Activate();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(gSettings.GetDravenholtSetting(kAppName, "Options", "FirstTime", "?"), "False");
  CloseNextModal(&seen);
  Activate();
  QApplication::processEvents();
  EXPECT_EQ(seen, 1);
}

TEST_F(MainWindow, FirstTimeValueThatIsNoTruthValueIsLoggedAndShowsNothing) {
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "maybe");
  frmMain::Get();
  int seen = 0;
  CloseNextModal(&seen);
  Activate();
  QApplication::processEvents();
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(gSettings.GetDravenholtSetting(kAppName, "Options", "FirstTime", "?"), "maybe");
  const auto log = LogEntries();
  ASSERT_FALSE(log.empty());
  EXPECT_NE(log.back().find("An error has occurred in 'Form_Activate'. Error = "), std::string::npos);
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
  // Pending commands stay disabled whatever the rule says; the rule itself is
  // checked on a command made available for the test.
  for (QAction* a : {f.mnuFileRemove, f.mnuFileRenameGroup, f.mnuEditMove}) a->setProperty("qmPending", false);
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

}  // namespace
