#include "platform/event_label.h"

#include <QMouseEvent>

namespace qm {

namespace {

QPointF InTwips(const QMouseEvent* e) { return e->position() * kTwipsPerPixel; }

}  // namespace

int ButtonCode(Qt::MouseButtons b) {
  int code = 0;
  if (b & Qt::LeftButton) code |= 1;
  if (b & Qt::RightButton) code |= 2;
  if (b & Qt::MiddleButton) code |= 4;
  return code;
}

int ShiftCode(Qt::KeyboardModifiers m) {
  int code = 0;
  if (m & Qt::ShiftModifier) code |= 1;
  if (m & Qt::ControlModifier) code |= 2;
  if (m & Qt::AltModifier) code |= 4;
  return code;
}

EventLabel::EventLabel(QWidget* parent) : QLabel(parent) { setMouseTracking(true); }

void EventLabel::mousePressEvent(QMouseEvent* e) {
  pressedInside_ = true;
  const QPointF p = InTwips(e);
  emit mouseDown(ButtonCode(e->button()), ShiftCode(e->modifiers()), float(p.x()), float(p.y()));
}

void EventLabel::mouseMoveEvent(QMouseEvent* e) {
  const QPointF p = InTwips(e);
  emit mouseMove(ButtonCode(e->buttons()), ShiftCode(e->modifiers()), float(p.x()), float(p.y()));
}

void EventLabel::mouseReleaseEvent(QMouseEvent* e) {
  const QPointF p = InTwips(e);
  emit mouseUp(ButtonCode(e->button()), ShiftCode(e->modifiers()), float(p.x()), float(p.y()));
  if (pressedInside_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
  pressedInside_ = false;
}

void EventLabel::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace qm
