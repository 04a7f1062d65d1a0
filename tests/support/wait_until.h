#pragma once
// Waiting for a real condition instead of a fixed time, which a loaded machine
// overruns: the event loop runs until the condition holds.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs the event loop until done() holds, for work the media framework finishes
// in its own time. False when done() never held within ms milliseconds.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 15000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Runs act once, at the first turn of the event loop at which ready() holds, while
// it lives: how a test reaches into a modal window or a pop-up, whose own loop runs
// while the test waits in the call that opened it. After ms milliseconds it gives
// up and closes the pop-up or modal window then up, so that a test whose window
// never got ready fails instead of hanging.
class WhenReady {
public:
  WhenReady(std::function<bool()> ready, std::function<void()> act, int ms = 15000)
      : ready_(std::move(ready)), act_(std::move(act)), ms_(ms) {
    clock_.start();
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }
  WhenReady(const WhenReady&) = delete;
  WhenReady& operator=(const WhenReady&) = delete;
  // Whether act has run.
  bool Acted() const { return acted_; }

private:
  void Look() {
    if (ready_()) {
      timer_.stop();
      acted_ = true;
      act_();
    } else if (clock_.elapsed() > ms_) {
      timer_.stop();
      if (QWidget* p = QApplication::activePopupWidget())
        p->close();
      else if (QWidget* m = QApplication::activeModalWidget())
        m->close();
    }
  }

  std::function<bool()> ready_;
  std::function<void()> act_;
  int ms_;
  bool acted_ = false;
  QElapsedTimer clock_;
  QTimer timer_;
};

// The modal window of type W on show, or null.
template <class W>
W* ModalUp() {
  auto* w = dynamic_cast<W*>(QApplication::activeModalWidget());
  return w && w->isVisible() ? w : nullptr;
}

// Whether a modal window or a pop-up is on show.
inline bool ModalOrPopUpUp() {
  return QApplication::activePopupWidget() || ModalUp<QWidget>();
}
