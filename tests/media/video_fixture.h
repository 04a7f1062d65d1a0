#pragma once
// Clips made in the test, the main window whose controls the video module keeps,
// and waiting for the media framework.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMediaPlayer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "browser/frmMain.h"
#include "media/modDirectShow.h"
#include "support/mjpeg_avi.h"
#include "support/temp_archive.h"
#include "support/wait_until.h"

class VideoTest : public TempArchive {
protected:
  void TearDown() override {
    if (frmMain::IsLoaded()) frmMain::Unload();
    QApplication::processEvents();
    TempArchive::TearDown();
  }

  // Photos/<name>: a clip of frames at 10 per second, each a shade of its own.
  std::string Clip(const std::string& name, int frames) {
    std::vector<QImage> images;
    for (int k = 0; k < frames; ++k) {
      QImage img(64, 48, QImage::Format_RGB32);
      img.fill(QColor(40 + (k * 7) % 200, 90, 160));
      images.push_back(img);
    }
    Write("Photos/" + name, MjpegAviBytes(images, 10));
    return Path("Photos/" + name);
  }

  static QMediaPlayer& Player() { return *qApp->findChild<QMediaPlayer*>("VideoPlayer"); }
  static double Seconds() { return double(Player().position()) / 1000.0; }

  // Play, pause and stop buttons as enabled.
  static std::array<bool, 3> Buttons() {
    frmMain& f = frmMain::Get();
    return {f.cmdVideo[0]->isEnabled(), f.cmdVideo[1]->isEnabled(), f.cmdVideo[2]->isEnabled()};
  }

  // Opens a clip and waits for its length.
  void OpenAndLoad(const std::string& path, QWidget* host) {
    OpenVideo(path, host);
    ASSERT_TRUE(WaitUntil([] { return VideoDuration > 0; })) << path;
  }
};
