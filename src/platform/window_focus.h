#pragma once
// Giving the keys back after a modal box. Window managers hand the focus, when a
// box closes, to a window of their own choosing; a tool window such as the
// full-screen viewer is never chosen, so the window behind it would take the keys.
#include <QPointer>
#include <QWidget>

namespace qm {

// Remembers the window that has the keys; when it goes out of scope, that window
// is brought to the front and given the keys again, if it is still on show.
class KeepActiveWindow {
public:
  KeepActiveWindow();
  ~KeepActiveWindow();
  KeepActiveWindow(const KeepActiveWindow&) = delete;
  KeepActiveWindow& operator=(const KeepActiveWindow&) = delete;

private:
  QPointer<QWidget> window_;
};

}  // namespace qm
