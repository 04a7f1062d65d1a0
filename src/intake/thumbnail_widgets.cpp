#include "intake/thumbnail_widgets.h"

#include <QPainter>

ThumbPictureBox::ThumbPictureBox(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

void ThumbPictureBox::SetPicture(const QImage& img) {
  picture_ = img;
  update();
}

void ThumbPictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  p.drawImage(rect(), picture_);
}

ThumbShape::ThumbShape(QWidget* parent, const QColor& border, const QColor& fill)
    : QWidget(parent), border_(border), fill_(fill) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ThumbShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (fill_.alpha() > 0) p.fillRect(rect(), fill_);
  if (border_.alpha() > 0) {
    p.setPen(border_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}
