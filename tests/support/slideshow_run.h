#pragma once
// Runs a slide show on its real timer until it ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

#include "browser/frmMain.h"
#include "core/albumstate.h"

// Calls atTick after each tick of the show's timer; fails the test when the show
// has not ended within 20 seconds.
inline void RunSlideShowToTheEnd(frmMain& f, const std::function<void()>& atTick) {
  auto c = QObject::connect(f.tmrSlideShow, &QTimer::timeout, atTick);
  QDeadlineTimer deadline(20000);
  while (SlideShowRunning && !deadline.hasExpired()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  QObject::disconnect(c);
  QApplication::processEvents();
  EXPECT_FALSE(SlideShowRunning) << "the show did not end";
}
