// The video controls of the status bar: play, pause and stop, the position bar
// and the timer that follows a playing clip.
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/grid_rules.h"
#include "media/modDirectShow.h"

void frmMain::BuildVideo() {
  for (int i = 0; i < 3; ++i)
    connect(cmdVideo[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmdVideo_Click(i); });
  // Only a drag of the scroll box seeks; a value set by the poll or a click on
  // the arrows or the track does not.
  connect(hscVideo, &QScrollBar::sliderMoved, this, [this] { hscVideo_Scroll(); });
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

void frmMain::tmrVideo_Timer() { UpdateVideoProgress(); }
