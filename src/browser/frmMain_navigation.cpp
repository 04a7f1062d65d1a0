// Stepping through the loaded group, and the full-screen, slide-show and clip
// buttons of the main window.
#include <QPushButton>
#include <exception>

#include "archive/modUtils.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/modquillmont.h"
#include "media/frmFullScreen.h"
#include "platform/ui_runtime.h"

void frmMain::BuildNavigation() {
  cmdSlideshow = MakePictureButton(client, "cmdSlideshow", QRect(16, 396, 139, 31), pctAlbumList[11]);
  cmdFullScreen = MakePictureButton(client, "cmdFullScreen", QRect(16, 432, 139, 31), pctAlbumList[11]);
  pctPrev = MakePictureButton(client, "pctPrev", QRect(16, 504, 69, 31), pctDarkSmall);
  pctNext = MakePictureButton(client, "pctNext", QRect(86, 504, 69, 31), pctDarkSmall);
  lbButtonText[0] = MakeButtonCaption(pctNext, "lbButtonText_0", ">>", "Show next image.");
  lbButtonText[1] = MakeButtonCaption(pctPrev, "lbButtonText_1", "<<", "Show previous image.");
  lbButtonText[7] = MakeButtonCaption(cmdSlideshow, "lbButtonText_7", "Slide Show", "Slide show at given interval");
  lbButtonText[8] = MakeButtonCaption(cmdFullScreen, "lbButtonText_8", "Full Screen",
                                  "Full screen view of pictures. Use arrow keys to see next/prev.");
  connect(pctNext, &qm::EventLabel::clicked, this, [this] { pctNext_Click(); });
  connect(pctPrev, &qm::EventLabel::clicked, this, [this] { pctPrev_Click(); });
  connect(cmdSlideshow, &qm::EventLabel::clicked, this, [this] { cmdSlideshow_Click(); });
  connect(cmdFullScreen, &qm::EventLabel::clicked, this, [this] { cmdFullScreen_Click(); });
  for (int i : {0, 1, 7, 8})
    connect(lbButtonText[std::size_t(i)], &qm::EventLabel::clicked, this, [this, i] { lbButtonText_Click(i); });
  connect(tmrSlideShow, &QTimer::timeout, this, [this] { tmrSlideShow_Timer(); });
  for (int i = 0; i < 2; ++i)
    if (cmdPlayAudioClip[std::size_t(i)])
      connect(cmdPlayAudioClip[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmdPlayAudioClip_Click(i); });
}

bool frmMain::OpenCurrentFromGrid() {
  std::int32_t index = gAlbumState.CurrentImageIndex;
  if (index < 1) index = 1;
  const int opened = PhotosOpened;
  imgThumbnail_DblClick(grid::SlotOnPage(index, gAlbumState.CurrentPage));
  const bool shown = PhotosOpened != opened;
  ViewMode = shown ? 1 : 0;
  return shown;
}

// From the grid, the current photo itself is the next one to see; when it cannot
// be opened, the one after it is, so a damaged photo never blocks the way on. A
// slide show passes over every photo that cannot be opened instead of ending there
// (DisplayPhoto logs each), so it ends only at the end of the group.
bool frmMain::NextPhoto() {
  try {
    bool shown = false;
    qm::DoEvents();
    if (ViewMode == 0) shown = OpenCurrentFromGrid();
    // Before any photo (index 0) the next one is photo 1.
    auto following = [this] {
      const std::int32_t i = gAlbumState.CurrentImageIndex;
      return i >= 0 && std::size_t(i) + 1 < PhotoNames.size() && DisplayPhoto(i + 1);
    };
    if (!shown) {
      std::int32_t from = gAlbumState.CurrentImageIndex;
      shown = following();
      while (!shown && SlideShowRunning && gAlbumState.CurrentImageIndex > from) {
        from = gAlbumState.CurrentImageIndex;
        shown = following();
      }
    }
    SetCountLabel(gAlbumState.CurrentImageIndex);
    if (SlideShowRunning && gAlbumState.PlayPhotoClips) PlaySlideShowClip();
    return shown;
  } catch (const std::exception& e) {
    LogError("NextPhoto", e.what());
  }
  return false;
}

// From the grid, the current photo opens first and then the one before it.
bool frmMain::PrevPhoto() {
  try {
    if (ViewMode == 0) OpenCurrentFromGrid();
    qm::DoEvents();
    bool shown = false;
    const std::int32_t i = gAlbumState.CurrentImageIndex;
    if (i >= 2) shown = DisplayPhoto(i - 1);
    SetCountLabel(gAlbumState.CurrentImageIndex);
    if (SlideShowRunning && gAlbumState.PlayPhotoClips) PlaySlideShowClip();
    return shown;
  } catch (const std::exception& e) {
    LogError("PrevPhoto", e.what());
  }
  return false;
}

void frmMain::pctNext_Click() {
  const PressedFace pressed(pctNext, pctBrightSmall, pctDarkSmall);
  StopSlideShow();
  NextPhoto();
}

void frmMain::pctPrev_Click() {
  const PressedFace pressed(pctPrev, pctBrightSmall, pctDarkSmall);
  StopSlideShow();
  PrevPhoto();
}

// The viewer shows what the main window holds, so it opens only once a photo is
// open there; a photo that cannot be opened leaves the grid as it was.
void frmMain::cmdFullScreen_Click() {
  try {
    if (ViewMode == 0) OpenCurrentFromGrid();
    if (ViewMode == 0) return;
    {
      const PressedFace pressed(cmdFullScreen, pctAlbumList[10], pctAlbumList[11]);
      const bool fresh = !frmFullScreen::IsLoaded();
      frmFullScreen& viewer = frmFullScreen::Get();
      if (!fresh) viewer.ShowPhoto();
      viewer.ShowFullScreen();
    }
    ViewMode = 2;
  } catch (const std::exception& e) {
    LogError("cmdFullScreen_Click", e.what());
  }
}

void frmMain::cmdPlayAudioClip_Click(int Index) {
  if (Index == 0) {
    const std::int32_t i = gAlbumState.CurrentImageIndex;
    if (i >= 1 && std::size_t(i) < PhotoNames.size()) PlayWav(AudioFolder + PhotoNames[std::size_t(i)] + ".wav");
  } else if (Index == 1) {
    StopWav();
  }
}
