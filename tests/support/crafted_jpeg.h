#pragma once
// Small real JPEGs whose frame header claims another size, as damaged or hostile
// files do: the bytes after the header are those of the small picture.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <string>

inline std::string JpegBytes(const QImage& img, bool progressive, int quality = 90) {
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  QImageWriter w(&buf, "jpeg");
  w.setQuality(quality);
  w.setProgressiveScanWrite(progressive);
  w.write(img);
  return bytes.toStdString();
}

// A 16 x 16 picture whose header says width x height.
inline std::string JpegClaiming(int width, int height, bool progressive) {
  QImage img(16, 16, QImage::Format_RGB32);
  img.fill(Qt::darkCyan);
  std::string b = JpegBytes(img, progressive);
  const char marker = progressive ? '\xC2' : '\xC0';
  for (size_t i = 2; i + 9 < b.size(); ++i)
    if (b[i] == '\xFF' && b[i + 1] == marker) {
      b[i + 5] = char(height >> 8);
      b[i + 6] = char(height & 255);
      b[i + 7] = char(width >> 8);
      b[i + 8] = char(width & 255);
      break;
    }
  return b;
}
