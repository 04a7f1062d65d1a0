// Draws the screenshots in docs/screenshots/ from a generated archive. Run by
// scripts/take-screenshots.sh under Xvfb.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QRadialGradient>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "browser/frmAbout.h"
#include "browser/frmGroups.h"
#include "browser/frmMain.h"
#include "browser/frmSSP.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/thumbnail_maker.h"
#include "intake/frmImport.h"
#include "media/frmAddMidiWav.h"
#include "media/frmFullScreen.h"
#include "media/modDirectShow.h"
#include "platform/files.h"
#include "platform/ui_runtime.h"
#include "search_export/frmSearch.h"
#include "search_export/frmExport.h"
#include "support/bench_env.h"
#include "support/mjpeg_avi.h"

namespace {

QImage Landscape(int w, int h, double hue) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, h * 0.65);
  sky.setColorAt(0, QColor::fromHsvF(std::fmod(hue + 0.6, 1.0), 0.7, 0.55));
  sky.setColorAt(0.6, QColor::fromHsvF(std::fmod(hue + 0.05, 1.0), 0.6, 0.95));
  sky.setColorAt(1, QColor::fromHsvF(std::fmod(hue + 0.1, 1.0), 0.5, 1.0));
  p.fillRect(img.rect(), sky);
  QRadialGradient sun(w * 0.68, h * 0.46, h * 0.16);
  sun.setColorAt(0, QColor(255, 250, 215));
  sun.setColorAt(0.55, QColor(255, 214, 120));
  sun.setColorAt(1, QColor(255, 180, 100, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sun);
  p.drawEllipse(QPointF(w * 0.68, h * 0.46), h * 0.16, h * 0.16);
  auto hills = [&](double base, double amp, double phase, QColor top, QColor bottom) {
    QPainterPath path;
    path.moveTo(0, h);
    for (int x = 0; x <= w; x += 4)
      path.lineTo(x, h * base - amp * h * (0.5 + 0.5 * std::sin(x * 0.006 + phase)) -
                         0.3 * amp * h * std::sin(x * 0.017 + phase * 2));
    path.lineTo(w, h);
    path.closeSubpath();
    QLinearGradient g(0, h * (base - amp), 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.drawPath(path);
  };
  hills(0.70, 0.10, 0.4 + hue * 7, QColor(120, 80, 120), QColor(70, 50, 90));
  hills(0.82, 0.09, 2.1 + hue * 5, QColor(60, 110, 90), QColor(30, 70, 60));
  hills(0.95, 0.07, 4.0 + hue * 3, QColor(30, 70, 50), QColor(15, 40, 30));
  return img;
}

std::string Info(const std::string& name, const std::string& title, int w, int h) {
  return "PhotoPath=\\Photos\\" + name + "\r\nTITLE=" + title +
         "\r\nPHOTOGRAPHER=Mara Lindqvist\r\nYEAR=2019\r\nPEOPLE=Nobody in sight\r\nPLACE=Upper valley\r\n"
         "EVENT=Summer walk\r\nKEYWORDS=sunset, hills, summer\r\nImageWidth=" +
         std::to_string(w) + "\r\nImageHeight=" + std::to_string(h) + "\r\n";
}

void Settle() {
  for (int i = 0; i < 30; ++i) qm::DoEvents();
}

void Save(QWidget& f, const std::string& out) {
  Settle();
  f.grab().save(QString::fromStdString(out));
  std::printf("%s\n", out.c_str());
}

// A dialog over its owner, as the screen shows them. Xvfb runs no window manager,
// so the dialog's caption, which alone tells a move from a copy, is drawn here as
// a plain title bar above it.
void SaveDialogOver(QWidget& owner, QWidget& dialog, const std::string& out) {
  Settle();
  QImage shot = owner.grab().toImage();
  const QPixmap body = dialog.grab();
  constexpr int kBar = 22;
  const QPoint at = owner.mapFromGlobal(dialog.mapToGlobal(QPoint(0, 0))) - QPoint(0, kBar / 2);
  QPainter p(&shot);
  const QRect bar(at.x(), at.y() - kBar, body.width(), kBar);
  p.fillRect(bar.adjusted(-1, -1, 1, body.height() + 1), QColor(40, 40, 40));
  QLinearGradient g(bar.topLeft(), bar.topRight());
  g.setColorAt(0, QColor(10, 36, 106));
  g.setColorAt(1, QColor(166, 202, 240));
  p.fillRect(bar, g);
  QFont font = dialog.font();
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(bar.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, dialog.windowTitle());
  p.drawPixmap(at, body);
  p.end();
  shot.save(QString::fromStdString(out));
  std::printf("%s\n", out.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string outDir = argc > 1 ? argv[1] : "docs/screenshots";
  ScratchArchive archive;

  std::vector<std::string> all;
  for (int i = 1; i <= 40; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.jpg", i);
    const bool portrait = i % 5 == 0;
    const int w = portrait ? 750 : 1000, h = portrait ? 1000 : 750;
    const QImage img = Landscape(w, h, i / 40.0);
    img.save(QString::fromStdString(PhotosFolder + name), "JPEG", 90);
    const QSize box = ThumbnailBoxSize(w, h);
    SaveThumbnailFile(DrawThumbnail(img.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), box, Qt::black),
                      ThumbnailsFolder + name, PhotosFolder + name);
    qm::ReplaceFileAtomically(InfoFolder + name + ".info", Info(name, "Evening " + std::to_string(i), w, h));
    all.push_back(name);
  }
  qm::WriteTextLinesAtomically(SlideGroupsFolder + kAllPhotosFile, all);
  qm::WriteTextLinesAtomically(SlideGroupsFolder + "Lake Trip.lst", all);
  for (const char* g : {"Birthdays", "Garden", "Winter 2001"})
    qm::WriteTextLinesAtomically(SlideGroupsFolder + g + ".lst", {all[0], all[1]});

  frmMain& f = frmMain::Get();
  f.show();
  Save(f, outDir + "/main-window.png");

  f.pctAlbumList_MouseDown(f.FindGroupButton("Lake Trip.lst"), 1, 0, 0, 0);
  f.VScroll1->setValue(2);
  f.VScroll1_Change();
  f.imgThumbnail_MouseDown(1, 1, 0, 0, 0);
  f.imgThumbnail_MouseDown(4, 1, 2, 0, 0);
  f.imgThumbnail_MouseDown(10, 1, 2, 0, 0);
  Save(f, outDir + "/grid-page2.png");

  f.imgThumbnail_DblClick(2);
  f.optInfoPosition_Click(2);
  Save(f, outDir + "/viewer-info-up.png");

  f.cmdEditPhotoInfo_Click();
  f.txtPlace->setText("Upper valley, north ridge");
  f.txtPlace->setFocus();
  Save(f, outDir + "/info-edit.png");
  f.cmdEditPhotoInfo_Click();

  // The information box back down (and its default setting), so the grid shows whole.
  f.optInfoPosition_Click(0);
  f.optInfoPosition_Click(1);

  // Three photos of page 2 picked, then Edit > Move to Group: the picker lists the
  // other groups. It is grabbed while its own event loop runs, then closed.
  const int lakeTrip = f.FindGroupButton("Lake Trip.lst");
  f.pctAlbumList_MouseDown(lakeTrip, 1, 0, 0, 0);
  f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
  f.imgThumbnail_MouseDown(3, 1, 2, 0, 0);
  f.imgThumbnail_MouseDown(12, 1, 2, 0, 0);
  frmGroups& picker = frmGroups::Get();
  QTimer::singleShot(200, &picker, [&] {
    SaveDialogOver(f, picker, outDir + "/picker-move.png");
    picker.reject();
  });
  f.mnuEditMove_Click();

  // Two photos dragged from the top row towards the third: the insertion marker
  // stands before the photo under the pointer and the yellow frame follows it.
  // Coordinates are twips relative to the pressed thumbnail.
  f.pctAlbumList_MouseDown(lakeTrip, 1, 0, 0, 0);
  f.imgThumbnail_MouseDown(1, 1, 0, 75, 75);
  f.imgThumbnail_MouseDown(2, 1, 2, 75, 75);
  f.imgThumbnail_MouseDown(2, 1, 3, 75, 75);
  const QPoint from = f.imgThumbnail[2]->pos();
  for (const QPoint to : {QPoint(330, 60), QPoint(260, 170), QPoint(172, 276)})
    f.imgThumbnail_MouseMove(2, 1, 0, float((to.x() - from.x()) * 15), float((to.y() - from.y()) * 15));
  Save(f, outDir + "/drag.png");
  f.EndThumbnailDrag(false);

  // The slide show's dialog over the main window, with its design values.
  frmSSP& ssp = frmSSP::Get();
  QTimer::singleShot(200, &ssp, [&] {
    SaveDialogOver(f, ssp, outDir + "/slideshow-dialog.png");
    ssp.reject();
  });
  f.cmdSlideshow_Click();

  // A photo in the full-screen viewer: as wide as the screen, centred top to bottom.
  f.imgThumbnail_DblClick(4);
  f.cmdFullScreen_Click();
  Save(frmFullScreen::Get(), outDir + "/full-screen.png");
  frmFullScreen::Unload();
  f.ShowThumbnailBoxes(true);

  // Edit > Find/Search & Append: a search by place and title has run, and a new
  // group's name is typed in for the append.
  QTimer::singleShot(200, [&] {
    frmSearch& search = frmSearch::Get();
    search.txtPlace->setText("valley");
    search.txtTitle->setText("evening 1");
    search.cmdSearch_Click();
    search.cmbGroupName->setEditText("Valley evenings");
    SaveDialogOver(f, search, outDir + "/search.png");
    search.close();
  });
  f.mnuEditSearchAppend->trigger();

  // Eight photos of Lake Trip exported with their thumbnails and a CSV file, taken
  // after the fourth: the button reads Cancel and the bar stands half way.
  f.pctAlbumList_MouseDown(lakeTrip, 1, 0, 0, 0);
  for (int slot = 0; slot < 8; ++slot) f.imgThumbnail_MouseDown(slot, 1, slot ? 2 : 0, 0, 0);
  const std::string exportTo = archive.Dir() + "/Exports/Lake Trip";
  qm::MakeFolder(archive.Dir() + "/Exports");
  qm::MakeFolder(exportTo);
  gSettings.SetDravenholtSetting(kAppName, "Export", "LastPath", exportTo);
  frmExport& exporter = frmExport::Get();
  exporter.chkExport[1]->setChecked(true);
  exporter.chkExport[2]->setChecked(true);
  exporter.show();
  qm::DoEvents();
  const std::string fourth = exporter.List1->item(3)->text().toStdString();
  bool taken = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (taken || !qm::FileExists(exportTo + "/" + fourth)) return;
    taken = true;
    SaveDialogOver(f, exporter, outDir + "/export.png");
  });
  watch.start(0);
  exporter.cmdExport_Click();
  watch.stop();
  frmExport::Unload();

  // File > Import / Auto-Scan: a camera card scanned into the list, and an import
  // of copies grabbed at its seventh photo.
  const std::string card = archive.Dir() + "/card/DCIM";
  for (int d = 1; d <= 3; ++d) {
    const std::string folder = card + "/10" + std::to_string(d) + "_CAM";
    std::filesystem::create_directories(folder);
    for (int i = 1; i <= 6; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/DSC_%d%03d.jpg", d, i);
      Landscape(640, 480, (d * 6 + i) / 20.0).save(QString::fromStdString(folder + name), "JPEG", 85);
    }
  }
  QTimer::singleShot(200, [&] {
    auto* imp = dynamic_cast<frmImport*>(QApplication::activeModalWidget());
    if (!imp) return;
    imp->SetDir1Path(card);
    imp->cmdAutoScan_Click();
    imp->SetDir1Path(card + "/102_CAM");
    imp->File1->item(1)->setSelected(true);
    imp->chkOptions[3]->setChecked(false);
    imp->chkOptions[2]->setChecked(true);
    imp->txtAutoName[0]->setText("Lake");
    imp->txtAutoName[1]->setText("0001");
    imp->List1->item(6)->setSelected(true);
    bool shot = false;
    QTimer grabber;
    grabber.setInterval(0);
    QObject::connect(&grabber, &QTimer::timeout, [&] {
      if (!shot && imp->ImportScanBusy && qm::ListFiles(InfoFolder).size() >= all.size() + 7) {
        shot = true;
        SaveDialogOver(f, *imp, outDir + "/import.png");
      }
    });
    grabber.start();
    imp->cmdImport_Click();
    grabber.stop();
    imp->close();
  });
  f.mnuFileImport->trigger();

  // Edit > Add Audio Clip: four photos picked, one of them with a clip already; a
  // clip from a folder of the user's is chosen for the second and another row's
  // clip is to be removed.
  const std::string sounds = archive.Dir() + "/My Sounds";
  QDir().mkpath(QString::fromStdString(sounds));
  for (const char* clip : {"birdsong.wav", "creek.wav", "wind in the pines.wav"})
    WriteBenchFile(sounds + "/" + clip, "RIFF");
  f.pctAlbumList_MouseDown(lakeTrip, 1, 0, 0, 0);
  for (int slot : {0, 1, 2, 3}) f.imgThumbnail_MouseDown(slot, 1, slot ? 2 : 0, 0, 0);
  std::vector<std::string> picked;
  for (size_t i = 0; i < PhotoNames.size(); ++i)
    if (SelectedFlags[i] == 1) picked.push_back(PhotoNames[i]);
  for (size_t i : {size_t(0), size_t(3)}) WriteBenchFile(AudioFolder + picked.at(i) + ".wav", "RIFF");
  QTimer::singleShot(200, [&] {
    frmAddMidiWav& d = frmAddMidiWav::Get();
    d.SetDir1Path(sounds);
    d.File1_Refresh();
    // The folder tree starts at the scratch folder, so the picture does not show
    // whatever else the machine keeps in its temporary folder.
    d.Dir1->setRootIndex(d.Dir1Model->IndexOf(archive.Dir()));
    d.File1->item(1)->setSelected(true);
    d.List1->item(1)->setSelected(true);
    d.cmdAddFile_Click();
    d.List1->item(3)->setSelected(true);
    d.cmdClear_Click();
    d.List1->item(1)->setSelected(true);
    d.lbProgress->setText("Done");
    SaveDialogOver(f, d, outDir + "/sound-link.png");
    d.close();
  });
  f.LinkWav2Photos();

  // A clip playing in the viewing area, its position bar under way.
  std::vector<QImage> frames;
  for (int k = 0; k < 60; ++k) frames.push_back(Landscape(320, 240, 0.3 + k / 300.0));
  qm::ReplaceFileAtomically(PhotosFolder + "CLIP_0001.avi", MjpegAviBytes(frames, 10));
  qm::ReplaceFileAtomically(InfoFolder + "CLIP_0001.avi.info", Info("CLIP_0001.avi", "Evening film", 320, 240));
  qm::WriteTextLinesAtomically(SlideGroupsFolder + "Lake Trip.lst", {"CLIP_0001.avi", all[0], all[1]});
  f.pctAlbumList_MouseDown(lakeTrip, 1, 0, 0, 0);
  f.imgThumbnail_DblClick(0);
  QElapsedTimer playing;
  playing.start();
  while (playing.elapsed() < 2600) QApplication::processEvents(QEventLoop::AllEvents, 20);
  // The picture of a clip is drawn in a window of its own, which only the screen
  // shows, so this one is taken from the screen.
  Settle();
  const QPoint at = f.mapToGlobal(QPoint(0, 0));
  f.screen()->grabWindow(0, at.x(), at.y(), f.width(), f.height())
      .save(QString::fromStdString(outDir + "/video-playing.png"));
  std::printf("%s\n", (outDir + "/video-playing.png").c_str());
  VideoCommand("stop");

  frmAbout& about = frmAbout::Get();
  about.show();
  Save(about, outDir + "/about.png");
  return 0;
}
