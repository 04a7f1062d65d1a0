#pragma once
// Watching a window or a procedure as it runs: a function run at every yield to the
// message loop, and a count of the times a widget is drawn.
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <functional>

// Runs its function at every yield while it lives (a zero timer fires at each yield).
class AtEveryYield {
public:
  explicit AtEveryYield(std::function<void()> each) : each_(std::move(each)) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { each_(); });
    timer_.start();
  }
  AtEveryYield(const AtEveryYield&) = delete;
  AtEveryYield& operator=(const AtEveryYield&) = delete;

private:
  std::function<void()> each_;
  QTimer timer_;
};

// Counts the paint events of a widget into count while it lives.
class PaintCounter : public QObject {
public:
  PaintCounter(QObject* widget, int& count) : count_(count) { widget->installEventFilter(this); }

protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++count_;
    return false;
  }

private:
  int& count_;
};
