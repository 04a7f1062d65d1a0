// The slide show of the main window: the button that opens its dialog, the start,
// the timer's steps and the stop every manual step calls.
#include <exception>

#include "archive/modUtils.h"
#include "browser/frmMain.h"
#include "browser/frmSSP.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "media/frmFullScreen.h"
#include "media/modDirectShow.h"

void frmMain::cmdSlideshow_Click() {
  const PressedFace pressed(cmdSlideshow, pctAlbumList[10], pctAlbumList[11]);
  try {
    SetGroupListSelect(-1, 0);
    frmSSP::Get().exec();
    frmSSP::Unload();
  } catch (const std::exception& e) {
    LogError("cmdSlideshow_Click", e.what());
  }
}

void frmMain::StopSlideShow() {
  SlideShowRunning = false;
  StopWav();
  StopMidi();
  tmrSlideShow->stop();
}

// The first photo stays for a whole delay: the current one (opened from the grid
// if need be) or photo 1, each passed over when it cannot be opened. The first
// step comes at the first tick. The viewer opens on that photo, so it shows no
// other one first.
void frmMain::StartSlideShow(const SlideShowOptions& o) {
  SlideShowRunning = true;
  tmrSlideShow->setInterval(o.IntervalMs);
  SlideshowOnlySelected = o.OnlySelected;
  if (o.Music) PlayMidi(MidiFolder + gAlbumState.CurrentGroupName + ".mid");
  gAlbumState.PlayPhotoClips = o.Clips;
  if (!o.StartWithCurrent) SetImageIndex(0);
  if (!o.StartWithCurrent || ViewMode == 0)
    NextPhoto();  // from the grid or before any photo it opens the first one itself
  else if (o.Clips)
    PlaySlideShowClip();
  if (o.FullScreen)
    cmdFullScreen_Click();
  else if (frmFullScreen::IsLoaded())
    frmFullScreen::Get().ShowPhoto();
  // Opening the viewer may have ended the show already (a click in it).
  if (SlideShowRunning) tmrSlideShow->start();
}

bool frmMain::SlideShowStep() {
  if (frmFullScreen::IsLoaded()) return frmFullScreen::Get().PhotoRequest(39, 0);
  return NextPhoto();
}

// At the end of the group the show stops and the grid comes back, in the main
// window and in full screen alike.
void frmMain::tmrSlideShow_Timer() {
  if (!SlideShowRunning) {
    tmrSlideShow->stop();
    return;
  }
  if (SlideShowStep()) return;
  StopSlideShow();
  imgbox->hide();
  picVideoWindow->hide();
  VideoCommand("STOP");
  if (frmFullScreen::IsLoaded()) frmFullScreen::Get().PhotoRequest(27, 0);
  ShowThumbnailBoxes(true);
}

void frmMain::PlaySlideShowClip() {
  StopWav();
  const std::int32_t i = gAlbumState.CurrentImageIndex;
  if (i >= 1 && std::size_t(i) < PhotoNames.size()) PlayWav(AudioFolder + PhotoNames[std::size_t(i)] + ".wav");
}

bool frmMain::TakeBackClip() {
  if (!gAlbumState.IsVideo || gAlbumState.PhotoFile.empty() || picVideoWindow->isHidden()) return false;
  OpenVideo(gAlbumState.PhotoFile, picVideoWindow);
  return true;
}
