// The enlarged view: opening a photo, its fit into the viewing area, the zoom
// steps and dragging the picture.
#include <QCursor>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <cstddef>
#include <exception>
#include <optional>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "core/picture_decode.h"
#include "core/viewer_rules.h"
#include "media/frmFullScreen.h"
#include "media/modDirectShow.h"
#include "platform/files.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/ui_runtime.h"

namespace {

constexpr int kVideoWidth = 497;
constexpr int kVideoHeight = 373;
// A picture whose decode would not fit in the viewer's memory limit.
constexpr const char* kTooLargeText = "The picture is too large to open";

// The photo as the view holds it: decoded for the viewing area and, while the
// full-screen viewer is open, for the screen too, so that each step there decodes
// it once, for both windows, or takes it from the viewer's decode ahead.
viewer::DecodedPicture OpenPicture(const std::string& path) {
  const viewer::Showing showing = frmFullScreen::ShowingNow();
  if (frmFullScreen::IsLoaded())
    if (std::optional<viewer::DecodedPicture> ahead = frmFullScreen::Get().TakeDecodedAhead(path, showing))
      return std::move(*ahead);
  return viewer::ReadPicture(path, [&showing](QSize size) { return viewer::DetailFor(size, showing); });
}

}  // namespace

void frmMain::BuildViewer() {
  imgbox = new ImageBox(pctWindow);
  imgbox->hide();
  connect(imgbox, &ImageBox::mouseDown, this, [this](int b, int s, float x, float y) { imgbox_MouseDown(b, s, x, y); });
  connect(imgbox, &ImageBox::mouseMove, this, [this](int b, int s, float x, float y) { imgbox_MouseMove(b, s, x, y); });
  connect(imgbox, &ImageBox::mouseUp, this, [this](int b, int s, float x, float y) { imgbox_MouseUp(b, s, x, y); });

  picVideoWindow = new QWidget(pctWindow);
  picVideoWindow->setObjectName("picVideoWindow");
  picVideoWindow->setAutoFillBackground(true);
  QPalette pal = picVideoWindow->palette();
  pal.setColor(QPalette::Window, Qt::black);
  picVideoWindow->setPalette(pal);
  picVideoWindow->setGeometry(pctWindow->width() + 20, viewer::CentredOrigin(pctWindow->height(), kVideoHeight),
                              kVideoWidth, kVideoHeight);
  picVideoWindow->hide();

  cmdZoomOut = MakePictureButton(client, "cmdZoomOut", QRect(16, 468, 69, 31), pctDarkSmall);
  cmdZoomIn = MakePictureButton(client, "cmdZoomIn", QRect(86, 468, 69, 31), pctDarkSmall);
  lbButtonText[5] = MakeButtonCaption(cmdZoomOut, "lbButtonText_5", "Reduce", "Zoom Out - Decrease image size");
  lbButtonText[6] = MakeButtonCaption(cmdZoomIn, "lbButtonText_6", "Enlarge", "Zoom In - Increase image size");
  connect(cmdZoomOut, &qm::EventLabel::clicked, this, [this] { cmdZoomOut_Click(); });
  connect(cmdZoomIn, &qm::EventLabel::clicked, this, [this] { cmdZoomIn_Click(); });
  connect(lbButtonText[5], &qm::EventLabel::clicked, this, [this] { lbButtonText_Click(5); });
  connect(lbButtonText[6], &qm::EventLabel::clicked, this, [this] { lbButtonText_Click(6); });
}

void frmMain::SetImageIndex(std::int32_t ImageNmb) {
  gAlbumState.PreviousImageIndex = gAlbumState.CurrentImageIndex;
  gAlbumState.CurrentImageIndex = ImageNmb;
}

// The index moves first, so a photo that cannot be shown is stepped past by the
// next step; the picture is decoded before anything else changes, so the view,
// PhotoFile and the information on show stay as they were.
bool frmMain::DisplayPhoto(std::int32_t index) {
  if (index < 1 || std::size_t(index) >= PhotoNames.size()) return false;
  AlbumState& s = gAlbumState;
  qm::SetScreenPointer(qm::Pointer::Hourglass);
  try {
    const std::string path = GetPhotoLink(PhotoNames[std::size_t(index)] + ".info");
    SetImageIndex(index);
    const bool video = IsVideoPath(path);
    viewer::DecodedPicture picture;
    const int areaW = pctWindow->width(), areaH = pctWindow->height();
    if (!video) picture = OpenPicture(path);

    s.PhotoFile = path;
    s.IsVideo = video;
    if (video) {
      picVideoWindow->setGeometry(20, viewer::CentredOrigin(areaH, kVideoHeight), kVideoWidth, kVideoHeight);
      OpenVideo(path, picVideoWindow);
      VideoCommand("play");
    } else {
      pctBoxPicture = picture.image;
      pctBoxSize = picture.size;
      pctBoxFactor = picture.factor;
      pctBoxDrawing = picture.drawing;
      pctBoxFile = path;
      imgbox->hide();
      imgbox->setPicture(pctBoxPicture);
      ApplyZoom(viewer::FitZoomLevel(pctBoxSize, areaW, areaH));
      qm::DoEvents();
    }
    const bool infoRead = LoadImageInfo(index, this);
    if (!video) {
      // The picture on show gives the sizes, whatever its information file says.
      s.ImageWidth = pctBoxSize.width();
      s.ImageHeight = pctBoxSize.height();
    }
    if (infoRead) LoadInfoBox();
    const bool clip = qm::FileExists(AudioFolder + PhotoNames[std::size_t(index)] + ".wav");
    for (QPushButton* b : cmdPlayAudioClip) SetEnabled(b, clip);
    qm::SetScreenPointer(qm::Pointer::Default);
    qm::DoEvents();

    if (InfoPosition() != 2 && !s.InfoEditMode) ShowInfoBox(false);
    ShowThumbnailBoxes(false);
    if (video) {
      imgbox->hide();
      picVideoWindow->show();
      VideoCommand("play");
    } else {
      imgbox->show();
      picVideoWindow->hide();
      picVideoWindow->move(pctWindow->width() + 20, picVideoWindow->y());
      // The stop offers play again; beside a picture nothing is offered.
      VideoCommand("stop");
      EnableVideo(false);
    }
    VScroll1->setEnabled(false);
    // The grid is gone, whichever command opened the photo.
    if (ViewMode == 0) ViewMode = 1;
    ++PhotosOpened;
    return true;
  } catch (const qm::RuntimeError& e) {
    qm::SetScreenPointer(qm::Pointer::Default);
    // A running slide show passes over the photo: a message box would stop nothing,
    // and the show's timer would stack more of them behind it.
    if (SlideShowRunning)
      LogError("DisplayPhoto", e.Description() + " (" + PhotoNames[std::size_t(index)] + ")");
    else if (e.Number() == qm::ErrInvalidPicture)
      qm::MsgBox("Invalid image file. Unable to open", qm::MsgButtons::OK, "Error");
    else if (e.Number() == pictures::kErrOutOfMemory)
      qm::MsgBox(kTooLargeText, qm::MsgButtons::OK, "Error");
    return false;
  } catch (const std::exception&) {
    qm::SetScreenPointer(qm::Pointer::Default);
    return false;
  }
}

void frmMain::ApplyZoom(int zoomLevel) {
  const viewer::Extent e = viewer::ZoomedSize(pctBoxSize.width(), pctBoxSize.height(), zoomLevel);
  if (!viewer::ExtentAllowed(e)) throw qm::RuntimeError(qm::ErrOverflow);
  EnsurePictureDetail(viewer::Reduction(zoomLevel));
  gAlbumState.ZoomLevel = zoomLevel;
  lbZoom->setText(viewer::ZoomCaption(zoomLevel));
  imgbox->hide();
  imgbox->setGeometry(viewer::CentredOrigin(pctWindow->width(), e.width),
                      viewer::CentredOrigin(pctWindow->height(), e.height), int(e.width), int(e.height));
}

// A picture that cannot be had with the detail asked for throws, and the step that
// asked for it is refused: a coarser decode is never shown as a finer one.
void frmMain::EnsurePictureDetail(const viewer::Detail& detail) {
  if (pctBoxFile.empty()) return;
  const auto covers = [](QSize s, QSize wanted) { return s.width() >= wanted.width() && s.height() >= wanted.height(); };
  // A drawing asked for at a size is drawn again only when it was drawn smaller.
  const bool toSize = pctBoxDrawing && !detail.drawing.isEmpty();
  if (toSize ? covers(pctBoxPicture.size(), detail.drawing) : pctBoxFactor <= detail.reduction) return;
  viewer::DecodedPicture more = viewer::ReadPicture(pctBoxFile, [&detail](QSize) { return detail; });
  const bool enough = toSize ? covers(more.image.size(), detail.drawing) : more.factor <= detail.reduction;
  if (more.size != pctBoxSize || !enough)
    throw qm::RuntimeError(qm::ErrInvalidPicture, "The picture changed on disc (" + pctBoxFile + ")");
  pctBoxPicture = more.image;
  pctBoxFactor = more.factor;
  pctBoxDrawing = more.drawing;
  imgbox->setPicture(pctBoxPicture);
}

const QImage& frmMain::FullSizePicture() {
  static const QImage none;
  try {
    EnsurePictureDetail(1);
  } catch (const qm::RuntimeError& e) {
    LogError("FullSizePicture", e.Description() + " (" + pctBoxFile + ")");
    return none;
  }
  return pctBoxPicture;
}

namespace {

// Both zoom buttons: the step, the pressed face while it runs, and the error tail.
template <class Step>
void ZoomButton(frmMain& f, qm::EventLabel* button, const char* procName, Step step) {
  const frmMain::PressedFace pressed(button, f.pctBrightSmall, f.pctDarkSmall);
  try {
    if (ViewMode == 0) {
      f.OpenCurrentFromGrid();
    } else if (!gAlbumState.IsVideo) {
      const std::optional<int> next = step(gAlbumState.ZoomLevel);
      if (!next) throw qm::RuntimeError(qm::ErrOverflow);
      f.ApplyZoom(*next);
      f.ShowThumbnailBoxes(false);
      f.imgbox->show();
    }
  } catch (const qm::RuntimeError& e) {
    LogError(procName, e);
    // The step the user asked for did not come: say why rather than do nothing.
    if (e.Number() == pictures::kErrOutOfMemory) qm::MsgBox(kTooLargeText, qm::MsgButtons::OK, "Error");
  } catch (const std::exception& e) {
    LogError(procName, e.what());
  }
}

}  // namespace

void frmMain::cmdZoomIn_Click() { ZoomButton(*this, cmdZoomIn, "cmdZoomIn_Click", viewer::ZoomInStep); }

void frmMain::cmdZoomOut_Click() { ZoomButton(*this, cmdZoomOut, "cmdZoomOut_Click", viewer::ZoomOutStep); }

void frmMain::imgbox_MouseDown(int, int, float X, float Y) {
  ImageDragging = true;
  DragStartX = X;
  DragStartY = Y;
  imgbox->setCursor(Qt::SizeAllCursor);
}

// The start point stays: the picture follows the pointer, so the pointer keeps
// its place on the picture.
void frmMain::imgbox_MouseMove(int, int, float X, float Y) {
  if (!ImageDragging) return;
  const int dy = qRound((Y - DragStartY) / qm::kTwipsPerPixel);
  const int dx = qRound((X - DragStartX) / qm::kTwipsPerPixel);
  if (dx != 0 || dy != 0) imgbox->move(imgbox->x() + dx, imgbox->y() + dy);
}

void frmMain::imgbox_MouseUp(int, int, float, float) {
  ImageDragging = false;
  imgbox->unsetCursor();
}
