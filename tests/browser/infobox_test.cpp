// The information box: hover and timer slides, the three positions, and the edit
// mode writing the photos' own information files, on the real main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "support/fs_faults.h"
#include "window_fixture.h"

namespace {

constexpr int kUp = 469 - 149 - 15;
constexpr int kDown = 469 - 15;

class InfoBox : public WindowTest {
protected:
  static std::string InfoOf(const std::string& name) { return "Photo_Info/" + name + ".info"; }

  void Photo(const std::string& name, const std::string& year, const std::string& place) {
    SavePhoto(name, Solid(700, 500, QColor(200, 150, 60)));
    Write(InfoOf(name), CrLf({"PhotoPath=\\Photos\\" + name, "TITLE=Title of " + name, "PHOTOGRAPHER=Ann",
                             "YEAR=" + year, "PEOPLE=Bo", "PLACE=" + place, "EVENT=Fair", "KEYWORDS=k",
                             "ImageWidth=700", "ImageHeight=500"}));
  }

  frmMain& Open() {
    Photo("a.jpg", "1999", "Oslo");
    Photo("b.jpg", "2004", "Rome");
    Photo("c.jpg", "1999-2001", "Nice");
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"a.jpg", "b.jpg", "c.jpg"}));
    frmMain& f = frmMain::Get();
    f.imgThumbnail_DblClick(0);
    return f;
  }

  static void Hover(QWidget* w) { SendMouse(w, QEvent::MouseMove, {20, 5}, Qt::NoButton, Qt::NoButton); }

  static bool Editing(frmMain& f) { return !f.txtYear->isHidden(); }

  static bool Locked(frmMain& f) {
    bool all = true, any = false;
    // The slide show button is left out: it stays disabled until slide shows exist.
    for (QWidget* w : std::initializer_list<QWidget*>{f.cmdFullScreen, f.cmdZoomIn, f.cmdZoomOut,
                                                      f.pctAlbumList[0], f.pctAlbumList[7], f.optInfoPosition[0],
                                                      f.optInfoPosition[2]}) {
      all = all && !w->isEnabled();
      any = any || !w->isEnabled();
    }
    for (QMenu* m : {f.mnuFile, f.mnuEdit, f.mnuView, f.mnuSet, f.mnuHelp}) {
      all = all && !m->menuAction()->isEnabled();
      any = any || !m->menuAction()->isEnabled();
    }
    EXPECT_EQ(all, any) << "the window is only partly locked";
    return all;
  }
};

TEST_F(InfoBox, HoverRaisesItAndTheTimerDropsIt) {
  frmMain& f = Open();
  ASSERT_EQ(f.framInfo->y(), kDown);
  EXPECT_EQ(f.lbPhotoInfo->text(), "Media Content Information");
  Hover(f.lbPhotoInfo);
  EXPECT_EQ(f.framInfo->y(), kUp);
  EXPECT_TRUE(f.tmrInfoBox->isActive());
  EXPECT_EQ(f.tmrInfoBox->interval(), 4000);
  f.tmrInfoBox_Timer();
  EXPECT_EQ(f.framInfo->y(), kDown);
  EXPECT_FALSE(f.tmrInfoBox->isActive());
  // Opening a photo puts a raised box down.
  Hover(f.framInfo);
  f.NextPhoto();
  EXPECT_EQ(f.framInfo->y(), kDown);
}

TEST_F(InfoBox, TheThreePositions) {
  frmMain& f = Open();
  EXPECT_EQ(f.InfoPosition(), 1);
  EXPECT_NE(f.optInfoPosition[1]->styleSheet().indexOf("#0000ff"), -1);
  EXPECT_TRUE(f.mnuSetInfoNormal->isChecked());

  f.optInfoPosition[0]->click();
  EXPECT_EQ(f.InfoPosition(), 0);
  EXPECT_NE(f.optInfoPosition[0]->styleSheet().indexOf("#ff0000"), -1);
  EXPECT_NE(f.optInfoPosition[1]->styleSheet().indexOf("#c0c0c0"), -1);
  EXPECT_TRUE(f.mnuSetInfoDown->isChecked());
  EXPECT_FALSE(f.mnuSetInfoNormal->isChecked());
  Hover(f.lbPhotoInfo);
  EXPECT_EQ(f.framInfo->y(), kDown);
  EXPECT_FALSE(f.tmrInfoBox->isActive());

  f.mnuSetInfoUp->trigger();
  EXPECT_EQ(f.InfoPosition(), 2);
  EXPECT_TRUE(f.optInfoPosition[2]->isChecked());
  EXPECT_TRUE(f.mnuSetInfoUp->isChecked());
  EXPECT_FALSE(f.mnuSetInfoDown->isChecked());
  EXPECT_EQ(f.framInfo->y(), kUp);
  f.tmrInfoBox->start();
  f.tmrInfoBox_Timer();
  EXPECT_EQ(f.framInfo->y(), kUp);
  EXPECT_TRUE(f.tmrInfoBox->isActive());
  f.NextPhoto();
  EXPECT_EQ(f.framInfo->y(), kUp);

  f.mnuSetInfoNormal->trigger();
  EXPECT_EQ(f.InfoPosition(), 1);
  EXPECT_EQ(f.framInfo->y(), kUp);
  f.tmrInfoBox_Timer();
  EXPECT_EQ(f.framInfo->y(), kDown);
}

TEST_F(InfoBox, ASlideGoesWhereItWasLastSent) {
  frmMain& f = Open();
  QTimer::singleShot(0, &f, [&f] { f.ShowInfoBox(false); });
  f.ShowInfoBox(true);
  EXPECT_EQ(f.framInfo->y(), kDown);
  EXPECT_FALSE(f.InfoBoxBusy);
  // The edit button pressed while the box slides down still opens the editor up.
  f.ShowInfoBox(true);
  QTimer::singleShot(0, &f, [&f] { f.cmdEditPhotoInfo_Click(); });
  f.ShowInfoBox(false);
  EXPECT_EQ(f.framInfo->y(), kUp);
  EXPECT_TRUE(Editing(f));
  EXPECT_TRUE(Locked(f));
}

TEST_F(InfoBox, EditAndCommitWritesThePhotosFile) {
  frmMain& f = Open();
  f.cmdEditPhotoInfo->click();
  EXPECT_TRUE(Editing(f));
  EXPECT_TRUE(gAlbumState.InfoEditMode);
  EXPECT_TRUE(Locked(f));
  EXPECT_EQ(f.framInfo->y(), kUp);
  EXPECT_EQ(f.txtYear->text(), "1999");
  EXPECT_EQ(f.txtPlace->text(), "Oslo");
  EXPECT_EQ(f.txtTitle->text(), "Title of a.jpg");
  EXPECT_EQ(f.cursor().shape(), Qt::ForbiddenCursor);
  EXPECT_EQ(f.framInfo->cursor().shape(), Qt::IBeamCursor);
  // The buttons that stay usable while editing.
  EXPECT_TRUE(f.pctNext->isEnabled());
  EXPECT_TRUE(f.cmdEditPhotoInfo->isEnabled());

  f.txtPlace->setText("Bergen");
  f.txtTitle->setText("Fjord = blue ");
  f.cmdEditPhotoInfo->click();
  EXPECT_FALSE(Editing(f));
  EXPECT_FALSE(gAlbumState.InfoEditMode);
  EXPECT_FALSE(Locked(f));
  EXPECT_EQ(f.cursor().shape(), Qt::ArrowCursor);
  EXPECT_FALSE(f.framInfo->testAttribute(Qt::WA_SetCursor));
  EXPECT_TRUE(f.tmrInfoBox->isActive());
  EXPECT_EQ(f.lbInfo[1]->text(), "Bergen");
  EXPECT_EQ(f.lbTitle->text(), "Fjord = blue ");
  EXPECT_EQ(Read(InfoOf("a.jpg")),
            CrLf({"PhotoPath=\\Photos\\a.jpg", "TITLE=Fjord = blue ", "PHOTOGRAPHER=Ann", "YEAR=1999", "PEOPLE=Bo",
                  "PLACE=Bergen", "EVENT=Fair", "KEYWORDS=k", "ImageWidth=700", "ImageHeight=500"}));
}

TEST_F(InfoBox, LeavingAPhotoMidEditSavesIntoItsOwnFile) {
  frmMain& f = Open();
  const std::string b = Read(InfoOf("b.jpg"));
  f.cmdEditPhotoInfo_Click();
  f.txtEvent->setText("Wedding");
  EXPECT_TRUE(f.NextPhoto());
  EXPECT_NE(Read(InfoOf("a.jpg")).find("EVENT=Wedding\r\n"), std::string::npos);
  EXPECT_EQ(Read(InfoOf("b.jpg")), b);
  // Still editing, now photo b, with the box up and the window locked.
  EXPECT_TRUE(Editing(f));
  EXPECT_TRUE(Locked(f));
  EXPECT_EQ(f.framInfo->y(), kUp);
  EXPECT_EQ(f.txtPlace->text(), "Rome");
  EXPECT_EQ(f.txtEvent->text(), "Fair");
  f.txtPeople->setText("Cy");
  EXPECT_TRUE(f.PrevPhoto());
  EXPECT_NE(Read(InfoOf("b.jpg")).find("PEOPLE=Cy\r\n"), std::string::npos);
  EXPECT_NE(Read(InfoOf("b.jpg")).find("PhotoPath=\\Photos\\b.jpg\r\n"), std::string::npos);
  EXPECT_EQ(f.txtEvent->text(), "Wedding");
  f.cmdEditPhotoInfo_Click();
  EXPECT_FALSE(Locked(f));
  EXPECT_NE(Read(InfoOf("a.jpg")).find("EVENT=Wedding\r\n"), std::string::npos);
  EXPECT_TRUE(prompter.Prompts().empty());
}

TEST_F(InfoBox, AFailedSaveIsShownAndEditingStillEnds) {
  frmMain& f = Open();
  const std::string before = Read(InfoOf("a.jpg"));
  f.cmdEditPhotoInfo_Click();
  f.txtPlace->setText("Lost?");
  ReadOnlyFolder readOnly(Path("Photo_Info"));
  ASSERT_TRUE(readOnly.ok());
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.cmdEditPhotoInfo_Click();
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Unable to save the photo information to " + Path("Photo_Info/a.jpg.info"));
  EXPECT_EQ(prompter.Prompts()[0].title, "Error");
  EXPECT_FALSE(Locked(f));
  EXPECT_FALSE(Editing(f));
  EXPECT_EQ(Read(InfoOf("a.jpg")), before);

  // Leaving a photo mid-edit with an unwritable folder says so too.
  f.cmdEditPhotoInfo_Click();
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_TRUE(f.NextPhoto());
  EXPECT_EQ(prompter.Prompts().size(), 2u);
}

TEST_F(InfoBox, YearBoxLimitsTypingButKeepsALongerStoredYear) {
  frmMain& f = Open();
  f.NextPhoto();
  f.NextPhoto();
  ASSERT_EQ(gAlbumState.Year, "1999-2001");
  f.cmdEditPhotoInfo_Click();
  EXPECT_EQ(f.txtYear->text(), "1999-2001");
  f.cmdEditPhotoInfo_Click();
  EXPECT_NE(Read(InfoOf("c.jpg")).find("YEAR=1999-2001\r\n"), std::string::npos);

  f.cmdEditPhotoInfo_Click();
  f.txtYear->clear();
  f.txtYear->setFocus();
  for (char c : std::string("123456")) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_0 + (c - '0'), Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(f.txtYear, &key);
  }
  EXPECT_EQ(f.txtYear->text(), "1234");
  f.cmdEditPhotoInfo_Click();
  EXPECT_NE(Read(InfoOf("c.jpg")).find("YEAR=1234\r\n"), std::string::npos);
}

TEST_F(InfoBox, EditingWithoutPhotoWritesNothing) {
  Write("Photo_SlideGroups/  All Photos  .lst", "");
  frmMain& f = frmMain::Get();
  // Without a photo there is nothing to edit: the press says so and locks nothing.
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.cmdEditPhotoInfo_Click();
  EXPECT_FALSE(Locked(f));
  f.txtPlace->setText("nowhere");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.cmdEditPhotoInfo_Click();
  EXPECT_FALSE(Locked(f));
  ASSERT_EQ(prompter.Prompts().size(), 2u);
  EXPECT_EQ(prompter.Prompts()[0].text, "There is no photo whose information could be edited.");
  EXPECT_FALSE(Exists("Photo_Info/.info"));
}

}  // namespace
