#pragma once
// A picture's encoded bytes, as a file of that format holds them.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <string>

inline std::string EncodedImage(const QImage& img, const char* format, int quality = -1) {
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, format, quality);
  return bytes.toStdString();
}
