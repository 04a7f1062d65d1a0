#include "platform/progress_track.h"

#include <QFrame>
#include <QPalette>
#include <algorithm>

namespace qm {
namespace {

QFrame* Filled(QWidget* parent, const char* name, const QColor& colour) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setAutoFillBackground(true);
  QPalette p = f->palette();
  p.setColor(QPalette::Window, colour);
  f->setPalette(p);
  return f;
}

}  // namespace

ProgressTrack MakeProgressTrack(QWidget* parent, const QRect& geometry) {
  ProgressTrack t;
  t.track = Filled(parent, "pctProgress", Qt::white);
  t.track->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  t.track->setGeometry(geometry);
  t.bar = Filled(t.track, "shpProgress", Qt::blue);
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
