// The video controls of the status bar: play, pause and stop, the position bar
// and the timer that follows a playing clip.
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/grid_rules.h"
#include "media/modDirectShow.h"

namespace {

// Qt turns the left and right arrows round on a horizontal scroll bar: on the
// bar they move the box the way they point.
class ArrowKeys : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    auto* bar = static_cast<QScrollBar*>(watched);
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) return false;
    const bool up = (key == Qt::Key_Right) != bar->isRightToLeft();
    bar->triggerAction(up ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
    return true;
  }
};

}  // namespace

void frmMain::BuildVideo() {
  for (int i = 0; i < 3; ++i)
    connect(cmdVideo[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmdVideo_Click(i); });
  // Every move of the box by the user seeks: a drag as it goes, the track, the
  // arrows, the keys and the wheel when the value changes. The video module sets
  // the value without a signal, so the poll never seeks.
  connect(hscVideo, &QScrollBar::sliderMoved, this, [this] { hscVideo_Scroll(); });
  connect(hscVideo, &QScrollBar::valueChanged, this, [this] { hscVideo_Change(); });
  // A click on the bar gives it the arrow and page keys.
  hscVideo->setFocusPolicy(Qt::StrongFocus);
  hscVideo->installEventFilter(new ArrowKeys(hscVideo));
  connect(tmrVideo, &QTimer::timeout, this, [this] { tmrVideo_Timer(); });
}

void frmMain::cmdVideo_Click(int Index) {
  switch (Index) {
    case 0:
      if (picVideoWindow->isHidden())
        imgThumbnail_DblClick(grid::SlotOnPage(gAlbumState.CurrentImageIndex, gAlbumState.CurrentPage));
      else
        VideoCommand("play");
      break;
    case 1:
      VideoCommand("pause");
      break;
    case 2:
      VideoCommand("stop");
      break;
    default:
      break;
  }
}

// The entry's clip that the player could not open keeps its controls off.
void frmMain::EnableVideo(bool VideoState) {
  PictureEntry = !VideoState;
  const bool broken = !VideoFileName.empty() && VideoFileName == gAlbumState.PhotoFile && !VideoIsOpen();
  const bool on = VideoState && !broken;
  for (QPushButton* b : cmdVideo)
    if (b) b->setEnabled(on);
  if (hscVideo) hscVideo->setEnabled(on);
}

// During a drag the box's position is ahead of the value, which follows it only
// after the drag signal.
void frmMain::hscVideo_Scroll() {
  const int seconds = hscVideo->sliderPosition();
  SetVideoPosition(seconds);
}

// A value that changes while the box is held is the drag's, which has seeked.
void frmMain::hscVideo_Change() {
  if (!hscVideo->isSliderDown()) SetVideoPosition(hscVideo->value());
}

void frmMain::tmrVideo_Timer() { UpdateVideoProgress(); }
