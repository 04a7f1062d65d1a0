// One media player for the whole program; its picture goes to a video widget laid
// into the host box of whichever window opened the clip. The player reports the
// length and failures as they come; the main window's timer polls the rest.
#include "media/modDirectShow.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMediaPlayer>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVideoWidget>
#include <cctype>
#include <utility>

#include "browser/frmMain.h"
#include "core/errorlog.h"
#include "core/video_rules.h"
#include "media/sound_off.h"
#include "platform/media_file.h"
#include "platform/sound_backend.h"

namespace {

// Keeps the video widget the size of its host.
class HostWatch : public QObject {
public:
  using QObject::QObject;
  QPointer<QWidget> view;

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Resize && view && view->parent() == watched)
      view->setGeometry(static_cast<QWidget*>(watched)->rect());
    return QObject::eventFilter(watched, e);
  }
};

struct Clip {
  QPointer<QMediaPlayer> player;
  QPointer<QVideoWidget> view;
  QPointer<QWidget> host;
  QPointer<HostWatch> watch;
  qm::MediaFile file;   // the clip's file, open while the player has it
  bool open = false;    // a clip was given to the player
  bool failed = false;  // and the player could not play it
  bool spoilt = false;  // the player failed once: its pipeline may still report the old clip
  // The clip whose failure is in the log. One look opens a clip in more than one
  // host (the main window, the full-screen viewer, back again), and its failure
  // is told once, until another clip is opened or this one plays.
  std::string failureLogged;
  // Play or pause asked for while the clip was still loading; the player is told
  // once it has loaded, since a pipeline told to run during its loading may never start.
  enum class Wanted { Nothing, Play, Pause } wanted = Wanted::Nothing;
};

Clip& TheClip() {
  static Clip clip;
  return clip;
}

// The main window's controls, only when the window exists: the module never
// loads it (a clip opened before it would otherwise build it half-way).
frmMain* Controls() { return frmMain::IsLoaded() ? &frmMain::Get() : nullptr; }

// Beside a picture the controls stay off, whatever the player is told: they
// follow the entry the main window loaded last, not the clip still open.
void SetButtons(bool play, bool pause, bool stop) {
  if (frmMain* f = Controls()) {
    const bool on = !f->PictureEntry;
    f->cmdVideo[0]->setEnabled(on && play);
    f->cmdVideo[1]->setEnabled(on && pause);
    f->cmdVideo[2]->setEnabled(on && stop);
  }
}

void SetTimer(bool on) {
  if (frmMain* f = Controls()) {
    if (on)
      f->tmrVideo->start();
    else
      f->tmrVideo->stop();
  }
}

// The bar's range and value are set without a signal: only the user's moves seek.
void ShowLength(const QString& caption, int barMaximum) {
  if (frmMain* f = Controls()) {
    f->lbVideo->setText(caption);
    const QSignalBlocker quiet(f->hscVideo);
    f->hscVideo->setRange(0, barMaximum);
  }
}

void SetBarValue(int value) {
  if (frmMain* f = Controls()) {
    const QSignalBlocker quiet(f->hscVideo);
    f->hscVideo->setValue(value);
  }
}

void LengthKnown(qint64 ms) {
  Clip& c = TheClip();
  if (!c.open || c.failed || ms <= 0) return;
  c.failureLogged.clear();
  VideoDuration = video::ClipLength(double(ms) / 1000.0);
  ShowLength(QString::fromStdString(video::LengthCaption(VideoDuration)), video::BarMaximum(VideoDuration));
}

// A clip that cannot be played offers nothing to play: the controls go off and
// the length goes back to its design text.
void ClipFailed(const QString& reason) {
  Clip& c = TheClip();
  if (!c.open || c.failed) return;
  c.failed = true;
  c.spoilt = true;
  VideoPlaying = false;
  VideoDuration = 0;
  SetTimer(false);
  if (c.player) c.player->stop();
  ShowLength("Length", 0);
  SetBarValue(0);
  SetButtons(false, false, false);
  if (frmMain* f = Controls()) f->hscVideo->setEnabled(false);
  if (c.failureLogged == VideoFileName) return;
  c.failureLogged = VideoFileName;
  LogError("OpenVideo", "The clip cannot be played: " + VideoFileName + " (" + reason.toStdString() + ")");
}

void ApplyWanted() {
  Clip& c = TheClip();
  const Clip::Wanted w = std::exchange(c.wanted, Clip::Wanted::Nothing);
  if (!c.player || !c.open || c.failed) return;
  if (w == Clip::Wanted::Play) c.player->play();
  if (w == Clip::Wanted::Pause) c.player->pause();
}

bool Loading() {
  const QMediaPlayer::MediaStatus s = TheClip().player->mediaStatus();
  return s == QMediaPlayer::LoadingMedia || s == QMediaPlayer::NoMedia;
}

QMediaPlayer& Player() {
  Clip& c = TheClip();
  if (c.player && c.spoilt && !c.open) {
    // A fresh player for the next clip, so no late word of the failed one lands on it.
    c.player->disconnect();
    c.player->stop();
    delete c.player;
    c.spoilt = false;
  }
  if (!c.player) {
    // The application owns the player, so it is gone before the media framework.
    c.player = new QMediaPlayer(QCoreApplication::instance());
    c.player->setObjectName("VideoPlayer");
    c.player->setAudioOutput(new QAudioOutput(c.player));
    QObject::connect(c.player, &QMediaPlayer::durationChanged, c.player, &LengthKnown);
    QObject::connect(c.player, &QMediaPlayer::mediaStatusChanged, c.player, [](QMediaPlayer::MediaStatus s) {
      if (s == QMediaPlayer::InvalidMedia) ClipFailed("no playable media");
      if (s == QMediaPlayer::LoadedMedia) ApplyWanted();
    });
    QObject::connect(c.player, &QMediaPlayer::errorOccurred, c.player,
                     [](QMediaPlayer::Error, const QString& text) { ClipFailed(text); });
    c.watch = new HostWatch(c.player);
  }
  return *c.player;
}

std::string Upper(std::string s) {
  for (char& ch : s) ch = char(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

double PositionSeconds() { return double(Player().position()) / 1000.0; }

// A seek to where the clip already stands is left out: a seek while the clip is
// still loading can keep it from ever starting.
void SeekSeconds(double seconds) {
  const qint64 ms = qint64(seconds * 1000.0);
  if (Player().position() != ms) Player().setPosition(ms);
}

}  // namespace

void OpenVideo(const std::string& path, QWidget* host) {
  if (VideoRate == 0) VideoRate = 1;
  CloseVideo();
  VideoFileName = path;
  Clip& c = TheClip();
  if (path != c.failureLogged) c.failureLogged.clear();
  QMediaPlayer& player = Player();
  if (!qm::sound::HaveAudioDevice()) NoteSoundOff("OpenVideo", "No sound device");

  if (!c.view) {
    c.view = new QVideoWidget();
    c.view->setAspectRatioMode(Qt::IgnoreAspectRatio);
  }
  if (c.host) c.host->removeEventFilter(c.watch);
  c.host = host;
  if (host) {
    c.view->setParent(host);
    c.view->setGeometry(host->rect());
    c.view->show();
    c.watch->view = c.view;
    host->installEventFilter(c.watch);
  }
  player.setVideoOutput(c.view.data());

  c.open = true;
  c.failed = false;
  c.wanted = Clip::Wanted::Nothing;
  VideoDuration = 0;
  VideoStartPos = 0;
  ShowLength("Length", 0);
  SetBarValue(0);
  SetButtons(true, false, false);
  if (frmMain* f = Controls()) f->hscVideo->setEnabled(!f->PictureEntry);

  player.setPlaybackRate(VideoRate);
  c.file = qm::MediaFile(path);
  if (!c.file.IsOpen()) {
    ClipFailed("the file is missing");
    return;
  }
  player.setSource(c.file.Url());
  if (player.error() != QMediaPlayer::NoError) ClipFailed(player.errorString());
  LengthKnown(player.duration());
}

void CloseVideo() {
  VideoPlaying = false;
  SetTimer(false);
  Clip& c = TheClip();
  if (!c.open) return;
  c.open = false;
  c.failed = false;
  if (c.player) {
    c.player->stop();
    c.player->setSource(QUrl());
  }
  c.file = qm::MediaFile();
  // Out of view and detached from its host, which may belong to a window that goes.
  if (c.host) c.host->removeEventFilter(c.watch);
  c.host = nullptr;
  if (c.view) {
    c.view->hide();
    c.view->setParent(nullptr);
  }
}

bool VideoIsOpen() {
  const Clip& c = TheClip();
  return c.open && !c.failed && c.player;
}

void VideoCommand(const std::string& command) {
  if (!VideoIsOpen()) return;
  QMediaPlayer& player = Player();
  const std::string word = Upper(command);
  if (word == "PLAY") {
    if (const auto from = video::ReplayFrom(PositionSeconds(), VideoStartPos, VideoDuration)) SeekSeconds(*from);
    if (Loading())
      TheClip().wanted = Clip::Wanted::Play;
    else
      player.play();
    VideoPlaying = true;
    SetTimer(true);
    SetButtons(false, true, true);
  } else if (word == "PAUSE") {
    if (Loading())
      TheClip().wanted = Clip::Wanted::Pause;
    else
      player.pause();
    VideoPlaying = false;
    SetButtons(true, false, true);
  } else if (word == "STOP") {
    TheClip().wanted = Clip::Wanted::Nothing;
    player.stop();
    VideoPlaying = false;
    SeekSeconds(0);
    SetBarValue(0);
    SetButtons(true, false, false);
  }
}

void SetVideoPosition(int seconds) {
  if (!VideoIsOpen()) return;
  SeekSeconds(video::ClampSeek(seconds, VideoDuration));
  VideoCommand("pause");
}

// The clip's end is read from the player's state at each tick, so no tick waits.
void UpdateVideoProgress() {
  if (!VideoPlaying || !VideoIsOpen()) return;
  QMediaPlayer& player = Player();
  if (player.mediaStatus() == QMediaPlayer::EndOfMedia) {
    SetButtons(true, false, false);
    VideoPlaying = false;
    SetTimer(false);
    return;
  }
  // A box held by the user is not pulled back to the playing position.
  if (frmMain* f = Controls(); f && !f->hscVideo->isSliderDown())
    if (const auto value = video::PolledBarValue(PositionSeconds(), f->hscVideo->maximum())) SetBarValue(*value);
}
