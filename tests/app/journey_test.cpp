// One user's whole way through the program, offscreen through the real windows
// and their menus: photos imported as copies, searched into a new group,
// reordered by a drag, one described in the information box, a clip linked to
// another, the group exported with its CSV file; then the program starts again
// on the same folder, in a process of its own, and finds every file as it was
// left and the clip beside its photo.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/startup.h"
#include "archive/frmSplash.h"
#include "browser/frmMain.h"
#include "browser/window_fixture.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "intake/frmImport.h"
#include "media/frmAddMidiWav.h"
#include "platform/files.h"
#include "search_export/frmExport.h"
#include "search_export/frmExport_lists.h"
#include "search_export/frmSearch.h"

namespace {

using Names = std::vector<std::string>;
using Files = std::map<std::string, std::string>;  // path under the test folder -> bytes

// A mono 16-bit WAV holding a short tone.
std::string Wav() {
  std::string s;
  auto put = [&s](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xff);
  };
  const int samples = 800;
  s += "RIFF";
  put(36 + 2 * samples, 4);
  s += "WAVEfmt ";
  put(16, 4), put(1, 2), put(1, 2), put(8000, 4), put(16000, 4), put(2, 2), put(16, 2);
  s += "data";
  put(2 * samples, 4);
  for (int i = 0; i < samples; ++i) put(std::uint16_t(std::int16_t(8000 * std::sin(i * 0.3))), 2);
  return s;
}

enum class CloseBy { CloseBox, EscapeKey };

// Runs open, which shows a window of type W modally, and act on it once it is up;
// the window is closed afterwards as the user would: by its close box, or by the
// Escape key pressed in the control that has the focus.
template <class W>
void WhileUp(const std::function<void()>& open, const std::function<void(W&)>& act,
             CloseBy by = CloseBy::CloseBox) {
  const WhenReady up([] { return ModalUp<W>() != nullptr; }, [&] {
    W* w = ModalUp<W>();
    act(*w);
    if (by == CloseBy::EscapeKey) {
      QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Escape);
      if (!w->isVisible()) return;
      ADD_FAILURE() << W::FormName << " stayed up after Escape";
    }
    w->close();
  });
  open();
  EXPECT_TRUE(up.Acted()) << W::FormName;
}

// Where the second start finds the folder of the first: set only in the process
// the first start runs for it.
const char* const kSecondStartFolder = "QM_JOURNEY_SECOND_START";
const char* const kSecondStartTest = "Journey.SecondStartInAProcessOfItsOwn";

class Journey : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    for (std::size_t i = 0; i < photos.size(); ++i) {
      QImage img(160 + 40 * int(i), 120, QImage::Format_RGB32);
      img.fill(QColor::fromHsv(int(i) * 60, 180, 220));
      Write("camera/" + photos[i], EncodedImage(img, "JPEG"));
    }
    Write("sounds/clip.wav", Wav());
    std::filesystem::create_directories(Path("usb"));
  }
  void TearDown() override {
    frmSplash::Unload();
    WindowTest::TearDown();
  }

  // Everything a start may touch: photos, information files, clips, group lists
  // and thumbnails.
  Files Kept() const {
    Files out;
    for (const std::string folder :
         {"Photos/", "Photo_Info/", "Photo_Audio/", "Photo_SlideGroups/", "Photo_Thumbnails/"})
      for (const std::string& n : qm::ListFiles(Path(folder))) out[folder + n] = Read(folder + n);
    return out;
  }

  // Clicks the album button showing group; false when none shows it.
  bool OpenGroup(frmMain& f, const std::string& group) {
    for (std::size_t i = 0; i < 8; ++i)
      if (!f.pctAlbumList[i]->isHidden() && f.lbAlbumList[i]->text().toStdString() == group) {
        Click(f.pctAlbumList[i]);
        return true;
      }
    return false;
  }

  const Names photos = {"harbour.jpg", "hill.jpg", "lake.jpg", "market.jpg", "tower.jpg"};
  // The group's order after the first photo is dragged behind the last.
  const Names reordered = {photos[1], photos[2], photos[3], photos[4], photos[0]};
  // The photo described in the information box, and the one given the clip; neither is the first.
  static constexpr std::size_t kDescribed = 1, kWithClip = 2;
};

TEST_F(Journey, ImportSearchReorderLinkExportAndStartAgain) {
  ASSERT_EQ(Main(), -1);
  frmMain& f = frmMain::Get();

  // File > Import / Auto-Scan: the camera's folder, every file, as copies.
  WhileUp<frmImport>([&] { f.mnuFileImport->trigger(); }, [&](frmImport& d) {
    d.SetDir1Path(Path("camera"));
    ASSERT_EQ(d.File1->count(), int(photos.size()));
    d.File1->selectAll();
    d.cmdAddFile->click();
    if (d.chkOptions[3]->isChecked()) d.chkOptions[3]->click();
    d.cmdImport->click();
  });
  for (const std::string& p : photos) {
    EXPECT_EQ(Read("Photos/" + p), Read("camera/" + p)) << p;
    EXPECT_EQ(GetPhotoLink(p + ".info"), PhotosFolder + p) << "a copy, not a link: " << p;
    EXPECT_TRUE(Exists("Photo_Thumbnails/" + p)) << p;
  }
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf(photos));

  // Edit > Find/Search & Append: every photo (a "*" year) into the new group Journey.
  WhileUp<frmSearch>([&] { f.mnuEditSearchAppend->trigger(); }, [&](frmSearch& s) {
    s.txtYear->setText("*");
    s.cmdSearch->click();
    s.cmbGroupName->setEditText("Journey");
    s.cmdSave->click();
  });
  EXPECT_EQ(Read("Photo_SlideGroups/Journey.lst"), CrLf(photos));

  // The first photo dragged behind the last.
  ASSERT_TRUE(OpenGroup(f, "Journey"));
  ASSERT_EQ(gAlbumState.CurrentGroupName, "Journey");
  QWidget* first = f.imgThumbnail[0];
  const QRect last = f.imgThumbnail[4]->geometry();
  Click(first);
  SendMouse(first, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  const QPointF behind = QPointF(last.right() - 4, last.center().y()) - first->pos();
  for (QPointF to : {QPointF(last.center()) - first->pos(), behind})
    SendMouse(first, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  SendMouse(first, QEvent::MouseButtonRelease, behind, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Read("Photo_SlideGroups/Journey.lst"), CrLf(reordered));

  // One photo opened by a double click and described in the information box, with
  // a comma and quotes in its values; its picture on show gives its size.
  QWidget* described = f.imgThumbnail[kDescribed];
  Click(described);
  SendMouse(described, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(described, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(ViewMode, 1);
  f.cmdEditPhotoInfo->click();
  const std::array<std::pair<QLineEdit*, const char*>, 7> values = {{{f.txtEvent, "Regatta"},
                                                                      {f.txtkeywords, "boats; sea"},
                                                                      {f.txtPeople, "Ann, Bo"},
                                                                      {f.txtPhotographer, "Cy \"Lens\" Dee"},
                                                                      {f.txtPlace, "Harbour"},
                                                                      {f.txtTitle, "Evening"},
                                                                      {f.txtYear, "2021"}}};
  for (const auto& [box, text] : values) box->setText(text);
  f.cmdEditPhotoInfo->click();
  ASSERT_TRUE(OpenGroup(f, "Journey"));

  // Edit > Add Audio Clip to Photo(s): the clip to a photo that is not the first.
  Click(f.imgThumbnail[kWithClip]);
  WhileUp<frmAddMidiWav>([&] { f.mnuEditWaveLink->trigger(); }, [&](frmAddMidiWav& d) {
    d.SetDir1Path(Path("sounds"));
    ASSERT_EQ(d.File1->count(), 1);
    d.File1->setCurrentRow(0);
    d.List1->setCurrentRow(0);
    d.cmdAddFile->click();
    d.cmdImport->click();
  });
  EXPECT_EQ(Read("Photo_Audio/" + reordered[kWithClip] + ".wav"), Read("sounds/clip.wav"));
  EXPECT_EQ(qm::ListFiles(Path("Photo_Audio")), Names{reordered[kWithClip] + ".wav"});

  // File > Export: the whole group, photos and the CSV file, to the stick; the
  // dialog closed by Escape.
  Click(f.imgThumbnail[0]);
  Click(f.imgThumbnail[4], Qt::LeftButton, Qt::ShiftModifier);
  ASSERT_EQ(gAlbumState.SelectedCount, 5);
  WhileUp<frmExport>(
      [&] { f.mnuFileExport->trigger(); },
      [&](frmExport& e) {
        e.Dir1->SetPath(Path("usb"));
        e.chkExport[2]->setChecked(true);
        e.optExportInfo[1]->setChecked(true);
        e.cmdExport->click();
      },
      CloseBy::EscapeKey);
  for (const std::string& p : photos) EXPECT_EQ(Read("usb/" + p), Read("camera/" + p)) << p;
  // "CSV", the header, then one record a photo in the group's order: the described
  // one with its values quoted where a comma or a quote would break the record, the
  // others with the title a new photo gets (its information file's path).
  auto untouched = [&](const std::string& p) { return p + ".info,,,,,," + Path("Photo_Info/" + p) + ".info,,,"; };
  EXPECT_EQ(Read("usb/Quillmont_Info.csv"),
            CrLf({"CSV", "InfoFile,Event,Keywords,People,Photographer,Place,Title,Year,ImageWidth,ImageHeight",
                  untouched(reordered[0]),
                  "lake.jpg.info,Regatta,boats; sea,\"Ann, Bo\",\"Cy \"\"Lens\"\" Dee\",Harbour,Evening,2021,240,120",
                  untouched(reordered[2]), untouched(reordered[3]), untouched(reordered[4])}));

  // Closed, and started again on the same program folder in a process of its own.
  const Files before = Kept();
  EXPECT_EQ(before.size(), 3 * photos.size() + 3);
  frmMain::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QProcess again;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert(kSecondStartFolder, QString::fromStdString(Folder()));
  again.setProcessEnvironment(env);
  again.setProcessChannelMode(QProcess::MergedChannels);
  again.start(QCoreApplication::applicationFilePath(), {QString("--gtest_filter=") + kSecondStartTest});
  ASSERT_TRUE(again.waitForFinished(90000));
  const std::string told = again.readAll().toStdString();
  EXPECT_EQ(again.exitCode(), 0) << told;
  EXPECT_NE(told.find("[  PASSED  ] 1 test"), std::string::npos) << told;
  EXPECT_EQ(Kept(), before);
  EXPECT_EQ(prompter.Unexpected(), 0);
}

// The second start of the journey above, run by it in a process of its own.
TEST_F(Journey, SecondStartInAProcessOfItsOwn) {
  const char* folder = std::getenv(kSecondStartFolder);
  if (!folder) GTEST_SKIP() << "runs as the second start of Journey.ImportSearchReorderLinkExportAndStartAgain";
  UseFolder(folder);
  ASSERT_EQ(Main(), -1);
  frmMain& f = frmMain::Get();
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf(photos));
  ASSERT_TRUE(OpenGroup(f, "Journey"));
  EXPECT_EQ(Names(PhotoNames.begin() + 1, PhotoNames.end()), reordered);
  // "Play Audio" beside the photo given the clip, and not beside another.
  Click(f.imgThumbnail[kWithClip]);
  EXPECT_EQ(f.lbInfo[6]->text().toStdString(), reordered[kWithClip]);
  EXPECT_TRUE(f.cmdPlayAudioClip[0]->isEnabled());
  Click(f.imgThumbnail[0]);
  EXPECT_EQ(f.lbInfo[6]->text().toStdString(), reordered[0]);
  EXPECT_FALSE(f.cmdPlayAudioClip[0]->isEnabled());
}

}  // namespace
