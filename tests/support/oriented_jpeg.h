#pragma once
// JPEGs as cameras write them turned: the stored pixels are the upright picture
// turned the other way, and an EXIF block says how to stand them up again. The
// stored pixels are worked out here point by point from the tag's meaning (where
// the stored first row and column belong on the upright picture), independently
// of the program's own turning.
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>

#include "support/crafted_jpeg.h"

// Where the stored pixel (column c, row r) of a stored w x h picture stands upright.
inline QPoint UprightPoint(int c, int r, int w, int h, int orientation) {
  switch (orientation) {
    case 2: return {w - 1 - c, r};
    case 3: return {w - 1 - c, h - 1 - r};
    case 4: return {c, h - 1 - r};
    case 5: return {r, c};                  // first row on the left, first column on top
    case 6: return {h - 1 - r, c};          // first row on the right, first column on top
    case 7: return {h - 1 - r, w - 1 - c};  // first row on the right, first column at the bottom
    case 8: return {r, w - 1 - c};          // first row on the left, first column at the bottom
    default: return {c, r};
  }
}

// The pixels a camera stores for an upright picture under an orientation.
inline QImage StoredPixels(const QImage& upright, int orientation) {
  const QImage src = upright.convertToFormat(QImage::Format_RGB32);
  const bool swap = orientation >= 5 && orientation <= 8;
  const int w = swap ? src.height() : src.width(), h = swap ? src.width() : src.height();
  QImage out(w, h, QImage::Format_RGB32);
  for (int r = 0; r < h; ++r) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(r));
    for (int c = 0; c < w; ++c) {
      const QPoint p = UprightPoint(c, r, w, h, orientation);
      line[c] = src.pixel(p);
    }
  }
  return out;
}

// An APP1 segment whose EXIF block holds the given first directory entries (tag,
// type, value), in Motorola or Intel byte order.
struct ExifEntry {
  int tag, type;
  unsigned value;
};
inline std::string ExifSegment(std::initializer_list<ExifEntry> entries, bool motorola = true) {
  std::string tiff;
  const auto put = [&](unsigned v, int bytes) {
    for (int i = 0; i < bytes; ++i) tiff += char(v >> (8 * (motorola ? bytes - 1 - i : i)));
  };
  tiff += motorola ? "MM" : "II";
  put(42, 2);
  put(8, 4);
  put(unsigned(entries.size()), 2);
  for (const ExifEntry& e : entries) {
    put(unsigned(e.tag), 2);
    put(unsigned(e.type), 2);
    put(1, 4);
    if (e.type == 3) {
      put(e.value, 2);
      put(0, 2);
    } else {
      put(e.value, 4);
    }
  }
  put(0, 4);  // no next directory
  const std::string body = std::string("Exif\0\0", 6) + tiff;
  const std::size_t len = body.size() + 2;
  return std::string("\xFF\xE1", 2) + char(len >> 8) + char(len & 0xFF) + body;
}

// A JPEG with segment put right after its start marker.
inline std::string WithSegment(std::string jpeg, const std::string& segment) {
  jpeg.insert(2, segment);
  return jpeg;
}

inline std::string OrientedJpeg(const QImage& upright, int orientation, int quality = 92, bool progressive = false) {
  return WithSegment(JpegBytes(StoredPixels(upright, orientation), progressive, quality),
                     ExifSegment({{0x0112, 3, unsigned(orientation)}}));
}

// Four coloured quarters, so a test can tell which way a picture stands.
inline QImage QuarterColours(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(0, 0, w / 2, h / 2, QColor(220, 30, 30));
  p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(30, 200, 30));
  p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(30, 30, 220));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(240, 240, 240));
  return img;
}

// Whether a picture shows QuarterColours the right way up, unmirrored (within a
// JPEG's error), judged at the middle of each quarter.
inline bool QuartersStandUpright(const QImage& img) {
  if (img.width() < 4 || img.height() < 4) return false;
  const QImage ref = QuarterColours(4, 4);
  for (int qy = 0; qy < 2; ++qy)
    for (int qx = 0; qx < 2; ++qx) {
      const QColor got = img.pixelColor(img.width() * (1 + 2 * qx) / 4, img.height() * (1 + 2 * qy) / 4);
      const QColor want = ref.pixelColor(2 * qx, 2 * qy);
      if (std::abs(got.red() - want.red()) > 40 || std::abs(got.green() - want.green()) > 40 ||
          std::abs(got.blue() - want.blue()) > 40)
        return false;
    }
  return true;
}
