#include "platform/window_focus.h"

#include <QApplication>

namespace qm {

KeepActiveWindow::KeepActiveWindow() : window_(QApplication::activeWindow()) {}

KeepActiveWindow::~KeepActiveWindow() {
  if (!window_ || !window_->isVisible()) return;
  window_->raise();
  window_->activateWindow();
}

}  // namespace qm
