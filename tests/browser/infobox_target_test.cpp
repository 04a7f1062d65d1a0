// Which information file an edit of the information box lands in: the one whose
// fields the box holds, whatever group is loaded or photo is shown since, and
// never one whose fields could not be read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <map>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/infofile.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "support/fs_faults.h"
#include "window_fixture.h"

namespace {

class EditTarget : public WindowTest {
protected:
  static std::string InfoOf(const std::string& name) { return "Photo_Info/" + name + ".info"; }

  void Photo(const std::string& name) {
    SavePhoto(name, Solid(320, 240, QColor(90, 140, 60)));
    Write(InfoOf(name), CrLf({"PhotoPath=\\Photos\\" + name, "TITLE=Title of " + name, "PHOTOGRAPHER=Ann",
                             "YEAR=1999", "PEOPLE=Bo", "PLACE=Place of " + name, "EVENT=Fair", "KEYWORDS=k",
                             "ImageWidth=320", "ImageHeight=240"}));
  }

  // p1..p6 in "  All Photos  " and, listed the other way round, in "Trip".
  frmMain& OpenSix() {
    std::vector<std::string> names, reversed;
    for (int i = 1; i <= 6; ++i) {
      names.push_back("p" + std::to_string(i) + ".jpg");
      Photo(names.back());
    }
    reversed.assign(names.rbegin(), names.rend());
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
    Write("Photo_SlideGroups/Trip.lst", CrLf(reversed));
    return frmMain::Get();
  }

  std::map<std::string, std::string> AllInfo() const {
    std::map<std::string, std::string> files;
    for (const std::string& entry : AllEntries(Path("Photo_Info"))) {
      const std::string name = entry.substr(entry.rfind('/') + 1);
      files[name] = Read("Photo_Info/" + name);
    }
    return files;
  }

  static bool Editing(frmMain& f) { return gAlbumState.InfoEditMode && !f.txtYear->isHidden(); }

  // The button that shows a group, pressed with the left button.
  static void PressGroup(frmMain& f, const std::string& group) {
    for (int i = 0; i < 8; ++i)
      if (f.lbAlbumList[std::size_t(i)]->text().toStdString() == group) return f.pctAlbumList_MouseDown(i, 1, 0, 0, 0);
    FAIL() << group;
  }
};

TEST_F(EditTarget, AGroupChangeNeverMovesThePhotosInformationIntoAnother) {
  frmMain& f = OpenSix();
  const auto before = AllInfo();
  f.imgThumbnail_DblClick(4);
  ASSERT_EQ(f.lbInfo[6]->text(), "p5.jpg");
  PressGroup(f, "Trip");
  ASSERT_EQ(gAlbumState.CurrentGroupName, "Trip");
  // The box now holds the new group's current photo.
  EXPECT_EQ(f.lbInfo[6]->text(), "p6.jpg");
  f.cmdEditPhotoInfo->click();
  EXPECT_EQ(f.txtPlace->text(), "Place of p6.jpg");
  f.cmdEditPhotoInfo->click();
  EXPECT_EQ(AllInfo(), before);

  // Edits in progress go into their own file before a reload replaces the photo.
  PressGroup(f, kAllPhotosGroup);
  f.imgThumbnail_DblClick(4);
  f.cmdEditPhotoInfo->click();
  f.txtPlace->setText("Edited");
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);  // as a reload asked for by another window
  ASSERT_EQ(gAlbumState.CurrentGroupName, "Trip");
  EXPECT_NE(Read(InfoOf("p5.jpg")).find("PLACE=Edited\r\nEVENT=Fair\r\n"), std::string::npos);
  EXPECT_NE(Read(InfoOf("p5.jpg")).find("PhotoPath=\\Photos\\p5.jpg\r\n"), std::string::npos);
  EXPECT_EQ(f.txtPlace->text(), "Place of p6.jpg");
  f.cmdEditPhotoInfo->click();
  EXPECT_EQ(Read(InfoOf("p6.jpg")), before.at("p6.jpg.info"));
  EXPECT_EQ(Read(InfoOf("p1.jpg")), before.at("p1.jpg.info"));
  EXPECT_TRUE(prompter.Prompts().empty());
}

// A photo whose information cannot be read, or holds a value longer than the
// reader holds (shown cut short), cannot be edited: its file is never written
// back, and moving onto it mid-edit saves the edits into their own file.
TEST_F(EditTarget, APhotoWithoutInformationReadWholeIsNeverWrittenNorWipesAnother) {
  frmMain& f = OpenSix();
  std::filesystem::remove(Path(InfoOf("p2.jpg")));
  const std::string longTitle =
      CrLf({"PhotoPath=\\Photos\\p3.jpg", "TITLE=" + std::string(3 * qm::kMaxTextLine, 't'), "PLACE=Dock"});
  Write(InfoOf("p3.jpg"), longTitle);
  const struct {
    const char* how;
    int slot;
    const char* place;
  } photos[] = {{"no file", 1, ""}, {"a value too long", 2, "Dock"}};
  std::size_t told = 0;
  for (const auto& p : photos) {
    SCOPED_TRACE(p.how);
    const auto before = AllInfo();
    const std::string name = "p" + std::to_string(p.slot + 1) + ".jpg";
    const std::string refusal = "Unable to read the photo information from " + Path(InfoOf(name)) + ". It cannot be edited.";
    f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
    f.imgThumbnail_MouseDown(p.slot, 1, 0, 0, 0);
    // The box shows the photo it now stands for, with what was read.
    EXPECT_EQ(f.lbInfo[6]->text().toStdString(), name);
    EXPECT_EQ(f.lbInfo[1]->text(), p.place);
    for (int press = 0; press < 2; ++press) {  // a second press refuses again, it does not commit
      prompter.ExpectMsg(qm::MsgAnswer::OK);
      f.cmdEditPhotoInfo->click();
      ASSERT_EQ(prompter.Prompts().size(), ++told);
      EXPECT_EQ(prompter.Prompts().back().text, refusal);
      EXPECT_FALSE(Editing(f));
    }
    EXPECT_EQ(AllInfo(), before);

    f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
    f.cmdEditPhotoInfo->click();
    f.txtEvent->setText(p.how);
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    f.imgThumbnail_MouseDown(p.slot, 1, 0, 0, 0);
    ASSERT_EQ(prompter.Prompts().size(), ++told);
    EXPECT_EQ(prompter.Prompts().back().text, refusal);
    EXPECT_NE(Read(InfoOf("p1.jpg")).find("EVENT=" + std::string(p.how) + "\r\n"), std::string::npos);
    EXPECT_FALSE(Editing(f));
    EXPECT_TRUE(f.mnuFile->menuAction()->isEnabled());
  }
  EXPECT_FALSE(Exists(InfoOf("p2.jpg")));
  EXPECT_EQ(Read(InfoOf("p3.jpg")), longTitle);
  // The start of the long title, as much as the label shows.
  const QString title = f.lbTitle->text();
  EXPECT_TRUE(title.startsWith("ttt") && title.endsWith(QChar(0x2026))) << title.size();
  EXPECT_LE(f.lbTitle->fontMetrics().horizontalAdvance(title), f.lbTitle->width());

  // One just under the bound is edited whole, longer than an edit box holds by itself.
  const std::string notes(40000, 'n');
  Write(InfoOf("p4.jpg"), CrLf({"PhotoPath=\\Photos\\p4.jpg", "TITLE=Old", "KEYWORDS=" + notes}));
  f.imgThumbnail_MouseDown(3, 1, 0, 0, 0);
  f.cmdEditPhotoInfo->click();
  f.txtTitle->setText("New");
  f.cmdEditPhotoInfo->click();
  EXPECT_NE(Read(InfoOf("p4.jpg")).find("TITLE=New\r\n"), std::string::npos);
  EXPECT_NE(Read(InfoOf("p4.jpg")).find("KEYWORDS=" + notes + "\r\n"), std::string::npos);
  EXPECT_EQ(prompter.Prompts().size(), 6u);
}

TEST_F(EditTarget, AtStartPhotoOneIsInTheBoxAndItsEditsAreSaved) {
  frmMain& f = OpenSix();
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 1);
  EXPECT_EQ(f.lbInfo[6]->text(), "p1.jpg");
  EXPECT_EQ(f.lbTitle->text(), "Title of p1.jpg");
  f.cmdEditPhotoInfo->click();
  EXPECT_EQ(f.txtTitle->text(), "Title of p1.jpg");
  f.txtTitle->setText("Sunrise");
  f.cmdEditPhotoInfo->click();
  EXPECT_NE(Read(InfoOf("p1.jpg")).find("TITLE=Sunrise\r\nPHOTOGRAPHER=Ann\r\n"), std::string::npos);
  EXPECT_EQ(f.lbTitle->text(), "Sunrise");
}

TEST_F(EditTarget, EditsOfAPhotoTheGroupNoLongerReachesStillLandInItsFile) {
  frmMain& f = OpenSix();
  f.imgThumbnail_DblClick(5);
  f.cmdEditPhotoInfo->click();
  f.txtPeople->setText("Cy");
  // The group shrinks under the edit, and the window reloads it.
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"p1.jpg", "p2.jpg"}));
  f.pctAlbumList_MouseDown(gAlbumState.SelectedButton, 1, 0, 0, 0);
  EXPECT_NE(Read(InfoOf("p6.jpg")).find("PEOPLE=Cy\r\n"), std::string::npos);
  EXPECT_EQ(f.lbInfo[6]->text(), "p2.jpg");
  f.txtPeople->setText("Di");
  f.cmdEditPhotoInfo->click();
  EXPECT_NE(Read(InfoOf("p2.jpg")).find("PEOPLE=Di\r\n"), std::string::npos);
  EXPECT_NE(Read(InfoOf("p6.jpg")).find("PEOPLE=Cy\r\n"), std::string::npos);
}

TEST_F(EditTarget, ClosingTheWindowSavesEditsInProgressAndShowsAFailure) {
  frmMain& f = OpenSix();
  f.cmdEditPhotoInfo->click();
  f.txtkeywords->setText("closing");
  CloseWindow();
  EXPECT_NE(Read(InfoOf("p1.jpg")).find("KEYWORDS=closing\r\n"), std::string::npos);

  frmMain& g = frmMain::Get();
  g.cmdEditPhotoInfo->click();
  g.txtPlace->setText("lost");
  const std::string before = Read(InfoOf("p1.jpg"));
  ReadOnlyFolder readOnly(Path("Photo_Info"));
  ASSERT_TRUE(readOnly.ok());
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  CloseWindow();
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Unable to save the photo information to " + Path(InfoOf("p1.jpg")));
  EXPECT_EQ(Read(InfoOf("p1.jpg")), before);
}

TEST_F(EditTarget, TabFollowsTheVisibleBoxesFromTopToBottom) {
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
  frmMain& f = OpenSix();
  f.show();
  QApplication::setActiveWindow(&f);
  f.cmdEditPhotoInfo->click();
  const std::vector<QLineEdit*> order = {f.txtYear,         f.txtPlace,      f.txtEvent, f.txtPeople,
                                         f.txtPhotographer, f.txtkeywords, f.txtTitle};
  for (QLineEdit* t : order) t->clear();
  // Editing starts in the top box.
  for (std::size_t k = 0; k < order.size(); ++k) {
    QWidget* at = QApplication::focusWidget();
    ASSERT_EQ(at, order[k]) << "stop " << k << " is " << (at ? at->objectName().toStdString() : "nothing");
    QKeyEvent text(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString("v%1").arg(k));
    QApplication::sendEvent(at, &text);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(at, &tab);
  }
  // After the last box the first comes again.
  EXPECT_EQ(QApplication::focusWidget(), f.txtYear);
  f.cmdEditPhotoInfo->click();
  EXPECT_EQ(Read(InfoOf("p1.jpg")), CrLf({"PhotoPath=\\Photos\\p1.jpg", "TITLE=v6", "PHOTOGRAPHER=v4", "YEAR=v0",
                                         "PEOPLE=v3", "PLACE=v1", "EVENT=v2", "KEYWORDS=v5", "ImageWidth=320",
                                         "ImageHeight=240"}));
}

}  // namespace
