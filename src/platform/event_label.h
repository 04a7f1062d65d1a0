#pragma once
// A label (text or picture) that reports mouse presses, moves, releases, clicks and
// double clicks with the button and shift state the window handlers expect:
// button 1 left, 2 right, 4 middle; shift bits 1 Shift, 2 Ctrl, 4 Alt; x and y in
// twips (15 to the pixel) relative to the label.
#include <QLabel>

#include "platform/window_layout.h"

namespace qm {

int ButtonCode(Qt::MouseButtons b);
int ShiftCode(Qt::KeyboardModifiers m);

class EventLabel : public QLabel {
  Q_OBJECT
public:
  explicit EventLabel(QWidget* parent = nullptr);

signals:
  void mouseDown(int button, int shift, float x, float y);
  void mouseMove(int button, int shift, float x, float y);
  void mouseUp(int button, int shift, float x, float y);
  void clicked();
  void doubleClicked();

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
  bool pressedInside_ = false;
};

}  // namespace qm
