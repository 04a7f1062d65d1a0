#pragma once
// Runs its function at every yield to the message loop while it lives (a zero
// timer fires at each yield), to watch a window or a procedure as it runs.
#include <QObject>
#include <QTimer>
#include <functional>

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
