#include "media/frmFullScreen.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <exception>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/infofile.h"
#include "core/photolinks.h"
#include "core/picture_decode.h"
#include "core/slideshow_rules.h"
#include "core/viewer_rules.h"
#include "media/modDirectShow.h"
#include "platform/runtime_error.h"
#include "platform/ui_runtime.h"
#include "platform/window_layout.h"

namespace {

constexpr int kErrDivisionByZero = 11;

void PaintBlack(QWidget* w) {
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, Qt::black);
  w->setPalette(pal);
}

}  // namespace

frmFullScreen::frmFullScreen() {
  setObjectName(FormName);
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  setWindowTitle(QString());
  PaintBlack(this);
  const QScreen* s = frmMain::IsLoaded() && frmMain::Get().screen() ? frmMain::Get().screen()
                                                                     : QGuiApplication::primaryScreen();
  setGeometry(s ? s->geometry() : QRect(0, 0, 800, 600));

  imgFullScreen = new ImageBox(this);
  imgFullScreen->setObjectName("imgFullScreen");
  imgFullScreen->setToolTip("Use arrow keys for PREV/NEXT picture. Click to return to main screen.");
  imgFullScreen->setFocusPolicy(Qt::NoFocus);
  imgFullScreen->hide();
  connect(imgFullScreen, &qm::EventLabel::clicked, this, [this] { imgFullScreen_Click(); });

  picVideoWindowFS = new QWidget(this);
  picVideoWindowFS->setObjectName("picVideoWindowFS");
  PaintBlack(picVideoWindowFS);
  picVideoWindowFS->setFocusPolicy(Qt::StrongFocus);
  picVideoWindowFS->installEventFilter(this);
  MoveVideoBoxAway();
  setFocusProxy(picVideoWindowFS);
}

QSize frmFullScreen::ScreenSize() const { return size(); }

void frmFullScreen::ShowFullScreen() {
  showFullScreen();
  activateWindow();
  picVideoWindowFS->setFocus();
}

void frmFullScreen::Form_Load() {
  try {
    ShowPhoto();
  } catch (const std::exception& e) {
    LogError("Form_Load", e.what());
  }
}

// Wherever the viewer is closed from, a clip it plays stops and goes back to the
// main window's box, stopped, so the main window's play button plays it there. A
// clip the main window no longer shows is closed: nothing may stay in a box that
// goes with this window.
void frmFullScreen::Form_Unload(bool&) {
  ahead_.Drop();
  if (!hostsClip_) return;
  hostsClip_ = false;
  VideoCommand("STOP");
  if (!(frmMain::IsLoaded() && frmMain::Get().TakeBackClip())) CloseVideo();
}

int frmFullScreen::KeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    default: break;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  return 0;
}

void frmFullScreen::keyPressEvent(QKeyEvent* e) {
  Form_KeyDown(KeyCode(e->key()), qm::ShiftCode(e->modifiers()));
}

void frmFullScreen::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Form_Click();
}

bool frmFullScreen::eventFilter(QObject* watched, QEvent* e) {
  if (watched == picVideoWindowFS) {
    if (e->type() == QEvent::KeyPress) {
      const auto* k = static_cast<QKeyEvent*>(e);
      Form_KeyDown(KeyCode(k->key()), qm::ShiftCode(k->modifiers()));
      return true;
    }
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
      Form_Click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

// No slide-show tick may fall inside a key's request; a show still running after
// it waits a whole delay again.
void frmFullScreen::Form_KeyDown(int KeyCode, int Shift) {
  try {
    VideoCommand("STOP");
    QTimer* timer = frmMain::Get().tmrSlideShow;
    const bool wasOn = timer->isActive();
    timer->stop();
    PhotoRequest(KeyCode, Shift);
    if (wasOn && SlideShowRunning) timer->start();
  } catch (const std::exception& e) {
    LogError("Form_KeyDown", e.what());
  }
}

bool frmFullScreen::PhotoRequest(int KeyCode, int) {
  try {
    frmMain& m = frmMain::Get();
    switch (KeyCode) {
      case 13:
      case 32:
      case 39:
      case 40: {
        direction_ = 1;
        const bool moved = m.NextPhoto();
        ShowPhoto();
        return moved;
      }
      case 37:
      case 38: {
        direction_ = -1;
        const bool moved = m.PrevPhoto();
        ShowPhoto();
        return moved;
      }
      case 27:
        m.StopSlideShow();
        Unload();
        return false;
      case 65: m.cmdPlayAudioClip_Click(0); return false;
      default: return false;
    }
  } catch (const std::exception& e) {
    LogError("PhotoRequest", e.what());
  }
  return false;
}

void frmFullScreen::MoveVideoBoxAway() { picVideoWindowFS->move(width() + qm::TwipsToPixels(20), 0); }

void frmFullScreen::ShowPhoto() {
  try {
    ShowItem();
  } catch (const qm::RuntimeError& e) {
    LogError("ShowPhoto", e);
  } catch (const std::exception& e) {
    LogError("ShowPhoto", e.what());
  }
  DecodeNextAhead();
}

void frmFullScreen::ShowItem() {
  imgFullScreen->hide();
  MoveVideoBoxAway();
  const QSize screen = ScreenSize();
  if (gAlbumState.IsVideo) {
    const int in = qm::TwipsToPixels(100);
    picVideoWindowFS->setGeometry(in, in, screen.width() - 2 * in, screen.height() - 2 * in);
    OpenVideo(gAlbumState.PhotoFile, picVideoWindowFS);
    hostsClip_ = true;
    VideoCommand("PLAY");
    picVideoWindowFS->show();
    return;
  }
  const frmMain& m = frmMain::Get();
  if (m.pctBoxSize.height() <= 0 || m.pctBoxSize.width() <= 0) throw qm::RuntimeError(kErrDivisionByZero, "Division by zero");
  const QRect fit = slideshow::FullScreenFit(m.pctBoxSize, screen);
  imgFullScreen->setGeometry(fit);
  imgFullScreen->setPicture(PictureForScreen());
  qm::DoEvents();
  imgFullScreen->show();
}

// The main window's picture, which it decodes for the screen while the viewer is
// open. Only the photo the viewer opens on is decoded again, once, when the main
// window holds it reduced for its own small area (a drawing drawn smaller); when
// that fails (the file went meanwhile) the main window's copy is shown enlarged.
const QImage& frmFullScreen::PictureForScreen() {
  frmMain& m = frmMain::Get();
  try {
    m.EnsurePictureDetail(viewer::DetailFor(m.pctBoxSize, ShowingNow()));
  } catch (const qm::RuntimeError& e) {
    LogError("ShowPhoto", e.Description() + " (" + m.pctBoxFile + ")");
  }
  return m.pctBoxPicture;
}

viewer::Showing frmFullScreen::ShowingNow() {
  return {frmMain::Get().pctWindow->size(), IsLoaded() ? Get().ScreenSize() : QSize()};
}

std::optional<viewer::DecodedPicture> frmFullScreen::TakeDecodedAhead(const std::string& path,
                                                                       const viewer::Showing& showing) {
  return ahead_.Take(path, showing);
}

// Within the memory the view allows a picture: the picture decoded ahead and the
// one on show together never take more than one picture may. A clip is not decoded
// ahead; while one plays, the photo after it is.
void frmFullScreen::DecodeNextAhead() {
  try {
    const std::int64_t next = std::int64_t(gAlbumState.CurrentImageIndex) + direction_;
    if (next < 1 || std::size_t(next) >= PhotoNames.size()) return ahead_.Drop();
    const std::string path = GetPhotoLink(PhotoNames[std::size_t(next)] + ".info");
    if (path.empty() || IsVideoPath(path)) return ahead_.Drop();
    const frmMain& m = frmMain::Get();
    ahead_.Start(path, ShowingNow(), pictures::kViewerBudget - m.pctBoxPicture.sizeInBytes());
  } catch (const std::exception& e) {
    ahead_.Drop();
    LogError("ShowPhoto", e.what());
  }
}

void frmFullScreen::Form_Click() {
  try {
    ViewMode = 1;
    MoveVideoBoxAway();
    frmMain::Get().StopSlideShow();
    Unload();
  } catch (const std::exception& e) {
    LogError("Form_Click", e.what());
  }
}

void frmFullScreen::imgFullScreen_Click() {
  try {
    frmMain::Get().StopSlideShow();
    Unload();
  } catch (const std::exception& e) {
    LogError("imgFullScreen_Click", e.what());
  }
}
