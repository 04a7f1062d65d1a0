// The thumbnail grid: sixteen thumbnails a page with their names, the page bar and
// the page, photo and group counters, and opening a photo by a double click.
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/modquillmont.h"
#include "core/thumbnail_maker.h"
#include "media/modDirectShow.h"
#include "platform/fonts.h"
#include "platform/on_error.h"
#include "platform/shown_names.h"
#include "platform/ui_runtime.h"

namespace {

QString Number(std::int32_t n) { return QString::number(n); }

}  // namespace

void frmMain::BuildGrid() {
  for (int s = 0; s < grid::kSlotsPerPage; ++s) {
    auto* thumb = new qm::EventLabel(pctWindow);
    thumb->setObjectName(QString("imgThumbnail_%1").arg(s));
    thumb->setGeometry(grid::ThumbLeft(s), grid::ThumbTop(s), grid::kThumbSize, grid::kThumbSize);
    thumb->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    thumb->setToolTip("Double-click to view.");
    imgThumbnail[size_t(s)] = thumb;
    connect(thumb, &qm::EventLabel::mouseDown, this,
            [this, s](int b, int sh, float x, float y) { imgThumbnail_MouseDown(s, b, sh, x, y); });
    connect(thumb, &qm::EventLabel::doubleClicked, this, [this, s] { imgThumbnail_DblClick(s); });
    connect(thumb, &qm::EventLabel::mouseMove, this,
            [this, s](int b, int sh, float x, float y) { imgThumbnail_MouseMove(s, b, sh, x, y); });
    connect(thumb, &qm::EventLabel::mouseUp, this,
            [this, s](int b, int sh, float x, float y) { imgThumbnail_MouseUp(s, b, sh, x, y); });

    auto* name = new QLabel(pctWindow);
    name->setObjectName(QString("lbThumbnailFile_%1").arg(s));
    name->setGeometry(grid::ThumbLeft(s), grid::NameTop(s), grid::kNameWidth, grid::kNameHeight);
    name->setAlignment(Qt::AlignCenter);
    name->setTextFormat(Qt::PlainText);
    name->setFont(qm::UiFont("Tahoma", 8.25, true));
    // The name's box overlaps the foot of a square or upright thumbnail; there a
    // dark veil (switched on per picture) keeps the white text readable.
    QPalette pal = name->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Window, QColor(0, 0, 0, 150));
    name->setPalette(pal);
    name->hide();
    lbThumbnailFile[size_t(s)] = name;
  }

  VScroll1 = new QScrollBar(Qt::Vertical, pctWindow);
  VScroll1->setObjectName("VScroll1");
  VScroll1->setGeometry(528, 12, 17, 377);
  VScroll1->setRange(1, 1);
  VScroll1->setValue(1);
  VScroll1->setEnabled(false);
  // One page per step, so the thumb's length shows the share of one page.
  VScroll1->setSingleStep(1);
  VScroll1->setPageStep(1);
  // A change comes when the thumb is let go, not on every step of a drag.
  VScroll1->setTracking(false);
  connect(VScroll1, &QScrollBar::valueChanged, this, [this](int) { VScroll1_Change(); });
}

void frmMain::SyncPageBar() {
  const QSignalBlocker quiet(VScroll1);
  VScroll1->setRange(VScroll1State.Min, std::max(VScroll1State.Min, VScroll1State.Max));
  VScroll1->setValue(VScroll1State.Value);
  VScroll1State.Value = VScroll1->value();
  VScroll1->setEnabled(VScroll1State.Enabled);
}

bool frmMain::ShowThumbnailPage(std::int32_t page) {
  const std::uint32_t serial = ++PageDrawSerial;
  qm::ResumeNext([&] {
    if (imgbox) imgbox->hide();
    if (picVideoWindow) {
      picVideoWindow->hide();
      picVideoWindow->move(pctWindow->width() + 20, picVideoWindow->y());
    }
    VideoCommand("stop");
  });
  VScroll1->show();
  qm::DoEvents();
  if (serial != PageDrawSerial) return true;  // a newer draw took over while we yielded

  // Never a page past the end, also after the group has shrunk.
  page = grid::ClampPage(page, gAlbumState.PhotoCount);
  gAlbumState.CurrentPage = page;
  VScroll1State.Value = page;
  {
    const QSignalBlocker quiet(VScroll1);
    VScroll1->setValue(page);
  }

  // A photo opened during a yield owns the viewing area from then on: the page is
  // still filled, for when the grid returns, but no slot is shown over the viewer.
  const int opened = PhotosOpened;
  for (int s = 0; s < grid::kSlotsPerPage; ++s) {
    const std::int32_t k = grid::PhotoAtSlot(page, s);
    const bool showSlot = PhotosOpened == opened;
    qm::EventLabel* thumb = imgThumbnail[size_t(s)];
    QLabel* name = lbThumbnailFile[size_t(s)];
    // Checked on every slot: a yield may have loaded another group meanwhile.
    if (k < std::int32_t(PhotoNames.size())) {
      const std::string& photo = PhotoNames[size_t(k)];
      const QImage picture = ReadThumbnailFile(ThumbnailsFolder + photo);
      if (picture.isNull()) {
        thumb->clear();
        thumb->resize(grid::kThumbSize, grid::kThumbSize);
      } else {
        thumb->setPixmap(QPixmap::fromImage(picture));
        thumb->resize(picture.size());
      }
      thumb->setVisible(showSlot);
      name->setAutoFillBackground(thumb->y() + thumb->height() > name->y());
      name->setText(QString::fromStdString(photo));
      name->setVisible(showSlot);
    } else {
      thumb->clear();
      thumb->hide();
      name->clear();
      name->hide();
    }
    qm::DoEvents();
    if (serial != PageDrawSerial) return true;
  }
  lbStatusPage->setText("Page " + Number(page) + " of " + Number(VScroll1->maximum()));
  return true;
}

void frmMain::ShowThumbnailBoxes(bool show) {
  try {
    for (int s = 0; s < grid::kSlotsPerPage; ++s) {
      imgThumbnail[size_t(s)]->setVisible(show);
      lbThumbnailFile[size_t(s)]->setVisible(show);
    }
    if (show) ViewMode = 0;
    VScroll1->setVisible(show);
  } catch (const std::exception& e) {
    LogError("ShowThumbnailBoxes", e.what());
  }
}

void frmMain::SetCountLabel(std::int32_t ImageNmb) {
  const QString group = qm::ShownText(gAlbumState.CurrentGroupName);
  if (gAlbumState.PhotoCount < 1) {
    lbStatusCount->setText("Photo 0 of 0");
    lbCount->setText("Group [" + group + "] Viewing 0 of 0");
    return;
  }
  const QString i = Number(ImageNmb), n = Number(gAlbumState.PhotoCount);
  lbStatusCount->setText("Photo " + i + " of " + n);
  lbCount->setText("Group [" + group + "] Viewing " + i + " of " + n);
}

void frmMain::VScroll1_Change() {
  if (ScrollBusy) return;
  ScrollBusy = true;
  try {
    VScroll1->setEnabled(false);
    VScroll1State.Value = VScroll1->value();
    ShowThumbnailPage(VScroll1->value());
    ShowGroupListSelect();
    // Back to what the loaded group allows, which a yield may have changed.
    VScroll1->setEnabled(VScroll1State.Enabled);
  } catch (const std::exception& e) {
    LogError("VScroll1_Change", e.what());
  }
  ScrollBusy = false;
}

void frmMain::imgThumbnail_DblClick(int Index) {
  try {
    const std::int32_t k = grid::PhotoAtSlot(gAlbumState.CurrentPage, Index);
    // A slot past the end of the group holds no photo.
    if (!grid::IsPhotoIndex(k, gAlbumState.PhotoCount)) return;
    SetGroupListSelect(-1, 0);
    // The viewer is open only when the photo really opened.
    if (DisplayPhoto(k)) {
      SetCountLabel(k);
      ViewMode = 1;
    }
  } catch (const std::exception& e) {
    LogError("imgThumbnail_DblClick", e.what());
  }
}
