// Dragging the selected photos of the loaded group: dropped in the grid they move
// as one block and the group's list is rewritten in the new order; dropped on a
// group button they are copied to that group.
#include <QCursor>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollBar>
#include <cmath>
#include <exception>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "core/reorder.h"
#include "platform/files.h"
#include "platform/prompter.h"
#include "platform/shown_names.h"

namespace {

void Tell(const std::string& text) { qm::MsgBox(text, qm::MsgButtons::OK, "", qm::MsgIcon::Exclamation); }

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The pointer over a group button that takes the photos: an arrow carrying a
// small card with a plus, drawn here once.
const QCursor& DropCursor() {
  static const QCursor cursor = [] {
    QPixmap pic(32, 32);
    pic.fill(Qt::transparent);
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 17);
    arrow.lineTo(5, 13);
    arrow.lineTo(8, 20);
    arrow.lineTo(11, 19);
    arrow.lineTo(8, 12);
    arrow.lineTo(13, 12);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(QRectF(14.5, 16.5, 15, 13));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(22, 19), QPointF(22, 27));
    p.drawLine(QPointF(18, 23), QPointF(26, 23));
    p.end();
    return QCursor(pic, 1, 1);
  }();
  return cursor;
}

std::int32_t NearestWhole(float v) { return std::int32_t(std::lrint(v)); }

}  // namespace

void frmMain::imgThumbnail_MouseMove(int Index, int Button, int, float X, float Y) {
  if (ThumbDrag.ThumbMoveBusy) return;
  ThumbDrag.ThumbMoveBusy = true;
  try {
    qm::EventLabel* thumb = imgThumbnail.at(size_t(Index));
    thumb->setToolTip("Double-click to view. Right-click for menu. Drag-n-drop to rearrange.  [Media File: " +
                      lbThumbnailFile.at(size_t(Index))->text() + "]");
    // A release the thumbnail never saw (taken by a pop-up, say) ends the drag.
    if ((Button & 1) == 0 && (ThumbDrag.ThumbArmed || ThumbDrag.ThumbDragging)) EndThumbnailDrag(false);
    if (ThumbDrag.ThumbArmed &&
        drag::DragGoesOn(ThumbDrag.ThumbDragging, X - float(ThumbDrag.ThumbStartX), Y - float(ThumbDrag.ThumbStartY))) {
      ThumbDrag.ThumbDragging = true;
      const int px = thumb->x() + NearestWhole(X / 15.0f);
      const int py = thumb->y() + NearestWhole(Y / 15.0f);
      const drag::Landing land = drag::LandAt(px, py, pctWindow->width(), pctWindow->height(),
                                              gAlbumState.CurrentPage, gAlbumState.PhotoCount);
      // The bar's change shows the page at once; the page may be overtaken while it draws.
      if (land.page != gAlbumState.CurrentPage) VScroll1->setValue(land.page);
      const bool placed = land.slot >= 0 && land.page == gAlbumState.CurrentPage;
      if (placed) {
        shpDropPosition->move(land.markerLeft, land.markerTop);
        ThumbDrag.ThumbDropPosition = land.dropPosition;
      }

      QFrame* ghost = shpThumbnailSelect[16];
      if (float(thumb->x()) + X / 15.0f < 0) {
        shpDropPosition->hide();
        ghost->hide();
        const int button = DropButtonAt(thumb->mapTo(this, QPointF(X / 15.0f, Y / 15.0f)));
        if (button >= 0)
          thumb->setCursor(DropCursor());
        else
          thumb->setCursor(Qt::ForbiddenCursor);
        gAlbumState.DropTarget = button;
      } else {
        thumb->unsetCursor();
        gAlbumState.DropTarget = placed ? -2 : -1;
        shpDropPosition->setVisible(placed);
        ghost->move(thumb->x() + int((X - float(ThumbDrag.ThumbStartX)) / 15.0f),
                    thumb->y() + int((Y - float(ThumbDrag.ThumbStartY)) / 15.0f));
        ghost->show();
        ghost->raise();
        shpDropPosition->raise();
      }
    }
  } catch (const std::exception& e) {
    LogError("imgThumbnail_MouseMove", e.what());
  }
  ThumbDrag.ThumbMoveBusy = false;
  if (ThumbDrag.ReleasePending) {
    ThumbDrag.ReleasePending = false;
    EndThumbnailDrag(true);
  }
}

void frmMain::imgThumbnail_MouseUp(int Index, int, int, float, float) {
  // A release that comes while a move turns the page ends the drag once the move is done.
  if (ThumbDrag.ThumbMoveBusy) {
    ThumbDrag.ReleasePending = true;
  } else {
    EndThumbnailDrag(true);
  }
  if (Index >= 0 && Index < grid::kSlotsPerPage) imgThumbnail[size_t(Index)]->unsetCursor();
}

int frmMain::DropButtonAt(QPointF inWindow) const {
  for (int i = 0; i < grid::kStripButtons; ++i) {
    const qm::EventLabel* button = pctAlbumList[size_t(i)];
    const std::string& file = AlbumListFile[size_t(i)];
    // As with the group picker: a shown group other than the loaded one and the
    // all-photos list, so the grid never stops matching the loaded list.
    if (button->isHidden() || file.empty() || file == LoadedGroupFile() || grid::IsAllPhotosGroup(GroupNameOf(file)))
      continue;
    const QPointF topLeft = button->mapTo(this, QPointF(0, 0));
    if (inWindow.x() > topLeft.x() && inWindow.x() < topLeft.x() + button->width() && inWindow.y() > topLeft.y() &&
        inWindow.y() < topLeft.y() + button->height())
      return i;
  }
  return -1;
}

void frmMain::EndThumbnailDrag(bool Dropped) {
  setCursor(Qt::WaitCursor);
  const bool dragged = ThumbDrag.ThumbDragging;
  const std::int32_t target = gAlbumState.DropTarget;
  shpDropPosition->hide();
  shpThumbnailSelect[16]->hide();
  ThumbDrag.ThumbDragging = false;
  ThumbDrag.ThumbArmed = false;
  // Only a drag that ended here drops: a later release (after a right click, say) copies nothing.
  gAlbumState.DropTarget = -1;
  try {
    if (dragged && Dropped && target >= 0 && target < grid::kStripButtons) {
      const std::string name = qm::BytesText(lbAlbumList[size_t(target)]);
      if (!AddToGroup(AlbumListFile[size_t(target)])) Tell("The photo(s) could not be copied to the group " + Quoted(name) + ".");
    } else if (dragged && Dropped && target <= -2 && LoadedGroupStillExists()) {
      if (!SaveReorderedGroup(LoadedGroupFile()))
        Tell("The new order of the group " + Quoted(gAlbumState.CurrentGroupName) + " could not be saved.");
      ReloadLoadedGroup();
    }
  } catch (const std::exception& e) {
    LogError("EndThumbnailDrag", e.what());
  }
  unsetCursor();
}

bool frmMain::SaveReorderedGroup(const std::string& file) {
  try {
    const std::string path = SlideGroupsFolder + file;
    // Only the list as it was read is reordered: entries written to it since are never lost.
    if (!drag::SameEntries(ReadGroupLines(path, "SaveReorderedGroup"), PhotoNames)) return false;
    qm::WriteTextLinesAtomically(path, drag::ReorderedGroup(PhotoNames, SelectedFlags, ThumbDrag.ThumbDropPosition));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
