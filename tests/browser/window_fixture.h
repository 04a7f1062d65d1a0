#pragma once
// What the tests of the main window share: a fresh archive whose window is
// unloaded after each test, generated photos, and real mouse input.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "browser/frmMain.h"
#include "support/pictures.h"
#include "support/temp_archive.h"

class WindowTest : public TempArchive {
protected:
  void TearDown() override {
    CloseWindow();
    TempArchive::TearDown();
  }

  // Unloads the main window and lets the deletions it posted run.
  static void CloseWindow() {
    if (frmMain::IsLoaded()) frmMain::Unload();
    QApplication::processEvents();
  }

  // Photos/<name> holding the picture in the given format.
  void SavePhoto(const std::string& name, const QImage& picture, const char* format = "JPEG", int quality = -1) {
    const std::string bytes = EncodedImage(picture, format, quality);
    ASSERT_FALSE(bytes.empty()) << name;
    Write("Photos/" + name, bytes);
  }

  static QImage Solid(int w, int h, QColor colour) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
  }
};

// A mouse event as the window system delivers it, at a point of the widget.
inline void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                      Qt::KeyboardModifiers m = Qt::NoModifier) {
  QMouseEvent e(type, at, w->mapToGlobal(at), button, held, m);
  QApplication::sendEvent(w, &e);
}

// A press and a release of one button inside the widget.
inline void Click(QWidget* w, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = Qt::NoModifier) {
  const QPointF at(5, 5);
  SendMouse(w, QEvent::MouseButtonPress, at, b, b, m);
  SendMouse(w, QEvent::MouseButtonRelease, at, b, Qt::NoButton, m);
}

// Runs open, which shows a pop-up menu and waits in it; returns whether a and b
// were enabled while the pop-up was up, and fails the test when none came.
inline std::pair<bool, bool> EnabledInPopUp(const std::function<void()>& open, const QAction* a, const QAction* b) {
  std::pair<bool, bool> seen{true, true};
  bool popped = false;
  QTimer::singleShot(50, [&] {
    if (QWidget* p = QApplication::activePopupWidget()) {
      popped = true;
      seen = {a->isEnabled(), b->isEnabled()};
      p->close();
    }
  });
  open();
  EXPECT_TRUE(popped);
  return seen;
}

// A left press held on thumbnail slot s, moves to points of the viewing area
// (pixels) as that thumbnail receives them, and the release at the last when asked.
inline void Drag(frmMain& f, int s, const std::vector<QPointF>& moves, bool release = true,
                 Qt::KeyboardModifiers m = Qt::NoModifier) {
  QWidget* thumb = f.imgThumbnail[size_t(s)];
  SendMouse(thumb, QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, m);
  for (const QPointF& p : moves) SendMouse(thumb, QEvent::MouseMove, p - thumb->pos(), Qt::NoButton, Qt::LeftButton);
  if (release) SendMouse(thumb, QEvent::MouseButtonRelease, moves.back() - thumb->pos(), Qt::LeftButton, Qt::NoButton);
}

// The middle of group button b, in the viewing area's pixels.
inline QPointF OverButton(frmMain& f, int b) {
  QWidget* button = f.pctAlbumList[size_t(b)];
  return f.pctWindow->mapFrom(&f, button->mapTo(&f, button->rect().center()));
}
