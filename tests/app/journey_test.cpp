// One user's whole way through the program, offscreen through the real windows
// and their menus: photos imported as copies, searched into a new group,
// reordered by a drag, a clip linked to one, the group exported with its CSV
// file; then the program starts again on the same folder and finds every file
// as it was left.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cmath>
#include <cstdint>
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

// Runs open, which shows a window of type W modally, and act on it once it is up;
// the window is closed afterwards as the user's close box would.
template <class W>
void WhileUp(const std::function<void()>& open, const std::function<void(W&)>& act) {
  bool acted = false;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* w = dynamic_cast<W*>(QApplication::activeModalWidget());
    if (acted || !w || !w->isVisible()) return;
    acted = true;
    poll.stop();
    act(*w);
    w->close();
  });
  poll.start();
  open();
  EXPECT_TRUE(acted) << W::FormName;
}

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

  // Every file the journey leaves behind that a restart must not touch.
  Files Kept() const {
    Files out;
    for (const std::string folder : {"Photos/", "Photo_Info/", "Photo_Audio/"})
      for (const std::string& n : qm::ListFiles(Path(folder))) out[folder + n] = Read(folder + n);
    for (const char* file : {"Photo_SlideGroups/Journey.lst", "usb/Quillmont_Info.csv"}) out[file] = Read(file);
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
  const Names reordered = {photos[1], photos[2], photos[3], photos[4], photos[0]};
  EXPECT_EQ(Read("Photo_SlideGroups/Journey.lst"), CrLf(reordered));

  // Edit > Add Audio Clip to Photo(s): the clip to the photo now first.
  Click(f.imgThumbnail[0]);
  WhileUp<frmAddMidiWav>([&] { f.mnuEditWaveLink->trigger(); }, [&](frmAddMidiWav& d) {
    d.SetDir1Path(Path("sounds"));
    ASSERT_EQ(d.File1->count(), 1);
    d.File1->setCurrentRow(0);
    d.List1->setCurrentRow(0);
    d.cmdAddFile->click();
    d.cmdImport->click();
  });
  EXPECT_EQ(Read("Photo_Audio/" + reordered[0] + ".wav"), Read("sounds/clip.wav"));

  // File > Export: the whole group, photos and the CSV file, to the stick.
  Click(f.imgThumbnail[0]);
  Click(f.imgThumbnail[4], Qt::LeftButton, Qt::ShiftModifier);
  ASSERT_EQ(gAlbumState.SelectedCount, 5);
  WhileUp<frmExport>([&] { f.mnuFileExport->trigger(); }, [&](frmExport& e) {
    e.Dir1->SetPath(Path("usb"));
    e.chkExport[2]->setChecked(true);
    e.optExportInfo[1]->setChecked(true);
    e.cmdExport->click();
  });
  for (const std::string& p : photos) EXPECT_EQ(Read("usb/" + p), Read("camera/" + p)) << p;
  // One record a photo, in the group's order.
  const std::string csv = Read("usb/Quillmont_Info.csv");
  const char* head = "CSV\r\nInfoFile,Event,Keywords,People,Photographer,Place,Title,Year,ImageWidth,ImageHeight\r\n";
  std::size_t at = csv.find(head);
  EXPECT_EQ(at, 0u) << csv;
  for (const std::string& p : reordered) {
    const std::size_t next = csv.find("\r\n" + p + ".info,", at);
    EXPECT_NE(next, std::string::npos) << p;
    at = next;
  }

  // Closed and started again on the same program folder.
  const Files before = Kept();
  EXPECT_EQ(before.size(), 2 * photos.size() + 3);
  frmMain::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ResetBrowsingState();
  ASSERT_EQ(Main(), -1);
  EXPECT_EQ(Kept(), before);
  EXPECT_EQ(Read("Photo_SlideGroups/  All Photos  .lst"), CrLf(photos));
  ASSERT_TRUE(OpenGroup(frmMain::Get(), "Journey"));
  EXPECT_EQ(Names(PhotoNames.begin() + 1, PhotoNames.end()), reordered);
  EXPECT_EQ(prompter.Unexpected(), 0);
}

}  // namespace
