#pragma once
// The progress bar the dialogs share: a sunken white track with a blue bar
// growing inside it from the left.
#include <QRect>

class QFrame;
class QWidget;

namespace qm {

struct ProgressTrack {
  QFrame* track = nullptr;  // the dialogs' pctProgress
  QFrame* bar = nullptr;    // the dialogs' shpProgress, of no width at first
};

ProgressTrack MakeProgressTrack(QWidget* parent, const QRect& geometry);

// Gives the bar this many pixels from the left of the track's inside; a bar of
// no width is hidden.
void SetBarWidth(QFrame* track, QFrame* bar, int pixels);

}  // namespace qm
