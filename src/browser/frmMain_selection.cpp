// The selection of the loaded group: the flags changed by clicks on thumbnails,
// their frames on the page on show, the selected count and the thumbnail pop-up.
#include <QCursor>
#include <QFrame>
#include <QMenu>
#include <cmath>
#include <exception>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"

namespace {

QFrame* Shape(QWidget* parent, const QString& name, const char* colour, int borderWidth) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setStyleSheet(QString("QFrame#%1 { border: %2px solid %3; background: transparent; }")
                       .arg(name)
                       .arg(borderWidth)
                       .arg(colour));
  // Shapes are drawn on the area; presses go to the thumbnails under them.
  f->setAttribute(Qt::WA_TransparentForMouseEvents);
  f->hide();
  return f;
}

}  // namespace

void frmMain::BuildSelection() {
  for (int s = 0; s < grid::kSlotsPerPage; ++s) {
    QFrame* frame = Shape(pctWindow, QString("shpThumbnailSelect_%1").arg(s), "#ffffff", 1);
    frame->setGeometry(grid::FrameLeft(s), grid::FrameTop(s), grid::kFrameSize, grid::kFrameSize);
    shpThumbnailSelect[size_t(s)] = frame;
  }
  // The frame that follows the pointer during a drag, and the insertion marker.
  shpThumbnailSelect[16] = Shape(pctWindow, "shpThumbnailSelect_16", "#ffff00", 1);
  shpThumbnailSelect[16]->setGeometry(0, 0, grid::kFrameSize, grid::kFrameSize);
  shpDropPosition = Shape(pctWindow, "shpDropPosition", "#ffff00", 1);
  shpDropPosition->setGeometry(0, 0, 2, grid::kFrameSize);

  mnuThumb = new QMenu(QStringLiteral("ThumbnailMenu"), this);
  mnuThumb->setObjectName("mnuThumb");
  mnuThumbAdd = mnuThumb->addAction(QStringLiteral("Copy to Group ..."));
  mnuThumbAdd->setObjectName("mnuThumbAdd");
  mnuThumbMove = mnuThumb->addAction(QStringLiteral("Move to Group ..."));
  mnuThumbMove->setObjectName("mnuThumbMove");
  mnuThumb->addSeparator()->setObjectName("mnuThumbDash1");
  mnuThumbMoveNewGroup = mnuThumb->addAction(QStringLiteral("Create &New Group"));
  mnuThumbMoveNewGroup->setObjectName("mnuThumbMoveNewGroup");
  mnuThumb->addSeparator()->setObjectName("mnuThumbDash2");
  mnuThumbRemove = mnuThumb->addAction(QStringLiteral("Remove from Group"));
  mnuThumbRemove->setObjectName("mnuThumbRemove");
}

void frmMain::SetGroupListSelect(std::int32_t Index, int Mode) {
  try {
    grid::ApplySelection({SelectedFlags, gAlbumState.SelectedCount, SelectAnchor}, Index, Mode);
    ShowGroupListSelect();
  } catch (const std::exception& e) {
    LogError("SetGroupListSelect", e.what());
  }
}

void frmMain::ShowGroupListSelect() {
  try {
    for (int s = 0; s < grid::kSlotsPerPage; ++s) {
      const std::int32_t k = grid::PhotoAtSlot(gAlbumState.CurrentPage, s);
      const bool selected = k >= 0 && k < std::int32_t(SelectedFlags.size()) && SelectedFlags[size_t(k)] == 1;
      shpThumbnailSelect[size_t(s)]->setVisible(selected);
    }
    lbStatusSelected->setText("Selected " + QString::number(gAlbumState.SelectedCount));
  } catch (const std::exception& e) {
    LogError("ShowGroupListSelect", e.what());
  }
}

void frmMain::imgThumbnail_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  try {
    const std::int32_t k = grid::PhotoAtSlot(gAlbumState.CurrentPage, Index);
    // A slot past the end of the group holds no photo to select or make current.
    if (!grid::IsPhotoIndex(k, gAlbumState.PhotoCount)) return;
    SetImageIndex(k);
    if (Button == 1) {
      if (Shift == 0) SetGroupListSelect(-1, 0);
      SetGroupListSelect(k, Shift);
      if (LoadImageInfo(k, this)) LoadInfoBox();
      ThumbDrag.ThumbArmed = true;
      ThumbDrag.ThumbStartX = std::int32_t(std::lrint(X));
      ThumbDrag.ThumbStartY = std::int32_t(std::lrint(Y));
      gAlbumState.DropTarget = -1;
      SetCountLabel(k);
    } else if (Button == 2) {
      SetGroupListSelect(k, 3);
      const bool allPhotos = grid::IsAllPhotosGroup(gAlbumState.CurrentGroupName);
      SetEnabled(mnuThumbMove, !allPhotos);
      SetEnabled(mnuThumbRemove, !allPhotos);
      mnuThumb->exec(QCursor::pos());
    }
  } catch (const std::exception& e) {
    LogError("imgThumbnail_MouseDown", e.what());
  }
}
