#pragma once
// The enlarged picture of the main window: shows its picture stretched to its own
// size, however large that is. Only the part inside the visible area is drawn, and
// an enlarged picture is never made at its enlarged size, so a far zoom costs no
// more memory than the picture itself. Mouse presses, moves and releases are
// reported as the window handlers expect them (button, shift, x and y in twips).
#include <QImage>
#include <QWidget>

class ImageBox : public QWidget {
  Q_OBJECT
public:
  explicit ImageBox(QWidget* parent = nullptr);

  // The picture, at any resolution: it always fills the whole box.
  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

signals:
  void mouseDown(int button, int shift, float x, float y);
  void mouseMove(int button, int shift, float x, float y);
  void mouseUp(int button, int shift, float x, float y);

protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

private:
  QImage picture_;
  // A reduced view is drawn from a smoothly scaled copy of the box's size (never
  // larger than the picture); it is remade when the size changes.
  QImage reduced_;
};
