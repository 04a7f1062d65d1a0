#include "media/video_frame.h"

#include <QEventLoop>
#include <QMediaPlayer>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>

#include "platform/media_file.h"

QImage GrabFirstFrame(const std::string& path, int timeoutMs, std::int64_t budget) {
  // Outlives the player, which reads the clip through it.
  const qm::MediaFile clip(path);
  if (!clip.IsOpen()) return {};

  QMediaPlayer player;
  QVideoSink sink;
  player.setVideoOutput(&sink);

  QEventLoop loop;
  QImage frame;
  QObject::connect(&sink, &QVideoSink::videoFrameChanged, &loop, [&](const QVideoFrame& f) {
    if (!frame.isNull() || !f.isValid()) return;
    // A frame too large to hold as a picture gives no thumbnail picture.
    if (std::int64_t(f.width()) * f.height() * 4 > budget) {
      loop.quit();
      return;
    }
    QImage img = f.toImage();
    if (img.isNull()) return;
    frame = std::move(img);
    loop.quit();
  });
  QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, [&] { loop.quit(); });
  QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::InvalidMedia || s == QMediaPlayer::EndOfMedia) loop.quit();
  });
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);

  player.setSource(clip.Url());
  if (player.error() == QMediaPlayer::NoError) {
    player.play();
    timeout.start(timeoutMs);
    if (frame.isNull() && player.error() == QMediaPlayer::NoError) loop.exec();
  }
  // No frame may arrive once the loop is gone.
  QObject::disconnect(&sink, nullptr, &loop, nullptr);
  player.stop();
  return frame;
}
