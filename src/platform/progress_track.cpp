#include "platform/progress_track.h"

#include <QFrame>
#include <algorithm>

#include "platform/window_layout.h"

namespace qm {

ProgressTrack MakeProgressTrack(QWidget* parent, const QRect& geometry) {
  ProgressTrack t;
  t.track = FilledFrame(parent, "pctProgress", Qt::white, geometry);
  t.track->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  t.bar = FilledFrame(t.track, "shpProgress", Qt::blue, QRect());
  SetBarWidth(t.track, t.bar, 0);
  return t;
}

void SetBarWidth(QFrame* track, QFrame* bar, int pixels) {
  const QRect inside = track->contentsRect();
  const int width = std::max(0, pixels);  // a bar past the track is cut off by it
  bar->setGeometry(inside.x(), inside.y(), width, inside.height());
  bar->setVisible(width > 0);
}

}  // namespace qm
