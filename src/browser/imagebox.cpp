#include "browser/imagebox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

ImageBox::ImageBox(QWidget* parent) : qm::EventLabel(parent) {
  setObjectName("imgbox");
  setToolTip("Click-n-drag to move image");
}

void ImageBox::setPicture(const QImage& picture) {
  picture_ = picture;
  reduced_ = QImage();
  update();
}

void ImageBox::paintEvent(QPaintEvent* e) {
  if (picture_.isNull() || width() <= 0 || height() <= 0) return;
  const QRect exposed = e->rect().intersected(rect());
  if (exposed.isEmpty()) return;
  QPainter p(this);
  if (width() <= picture_.width() && height() <= picture_.height()) {
    if (size() == picture_.size()) {
      p.drawImage(exposed.topLeft(), picture_, exposed);
      return;
    }
    if (reduced_.size() != size())
      reduced_ = picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.drawImage(exposed.topLeft(), reduced_, exposed);
    return;
  }
  // Enlarged: the exposed part of the box maps back onto a part of the picture,
  // and only that part is stretched onto the screen.
  reduced_ = QImage();
  const double sx = double(picture_.width()) / width();
  const double sy = double(picture_.height()) / height();
  const QRectF source(exposed.x() * sx, exposed.y() * sy, exposed.width() * sx, exposed.height() * sy);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(QRectF(exposed), picture_, source);
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }
