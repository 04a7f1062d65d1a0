#pragma once
// Runs the event loop until a condition holds, for work the media framework
// finishes in its own time.
#include <QApplication>
#include <QElapsedTimer>
#include <functional>

// False when done() never held within ms milliseconds.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 15000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}
