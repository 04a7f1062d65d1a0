#pragma once
// The enlarged picture of the main window: shows its picture stretched to its own
// size, however large that is. Only the part inside the visible area is drawn, and
// an enlarged picture is never made at its enlarged size, so a far zoom costs no
// more memory than the picture itself. Mouse presses, moves and releases are
// reported as every event label reports them.
#include <QImage>

#include "platform/event_label.h"

class ImageBox : public qm::EventLabel {
  Q_OBJECT
public:
  explicit ImageBox(QWidget* parent = nullptr);

  // The picture, at any resolution: it always fills the whole box.
  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

protected:
  void paintEvent(QPaintEvent* e) override;
  // The second press of a double click is a press too, so it can start a drag.
  void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
  QImage picture_;
  // A reduced view is drawn from a smoothly scaled copy of the box's size (never
  // larger than the picture); it is remade when the size changes.
  QImage reduced_;
};
