#pragma once
// The thumbnail window's drawn controls: a box showing a picture and a shape.
#include <QColor>
#include <QImage>
#include <QWidget>

// A picture box: paints its image over its whole area on the window colour.
class ThumbPictureBox : public QWidget {
public:
  explicit ThumbPictureBox(QWidget* parent);
  void SetPicture(const QImage& img);
  const QImage& Picture() const { return picture_; }

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  QImage picture_;
};

// A rectangle outline, or a filled bar.
class ThumbShape : public QWidget {
public:
  ThumbShape(QWidget* parent, const QColor& border, const QColor& fill = Qt::transparent);

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  QColor border_, fill_;
};
