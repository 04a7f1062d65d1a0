#include "core/picture_orientation.h"

#include <QTransform>
#include <cstring>
#include <utility>

namespace pictures {

namespace {

constexpr int kOrientationTag = 0x0112;
constexpr int kShort = 3;
constexpr int kLong = 4;

// Reads the TIFF block's numbers in its byte order; nothing past its end.
class TiffBlock {
public:
  TiffBlock(const char* data, qsizetype size) : d_(reinterpret_cast<const uchar*>(data)), n_(size) {}
  bool Fits(qint64 at, qint64 bytes) const { return at >= 0 && at + bytes <= n_; }
  bool SetOrder() {
    if (!Fits(0, 2)) return false;
    if (d_[0] == 'I' && d_[1] == 'I') little_ = true;
    else if (d_[0] == 'M' && d_[1] == 'M') little_ = false;
    else return false;
    return true;
  }
  quint32 U16(qint64 at) const { return Fits(at, 2) ? Get(at, 2) : 0; }
  quint32 U32(qint64 at) const { return Fits(at, 4) ? Get(at, 4) : 0; }

private:
  quint32 Get(qint64 at, int bytes) const {
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i) v |= quint32(d_[at + (little_ ? i : bytes - 1 - i)]) << (8 * i);
    return v;
  }
  const uchar* d_;
  qsizetype n_;
  bool little_ = false;
};

}  // namespace

int ExifOrientation(const QByteArray& app1) {
  // "Exif", a zero byte and a pad byte, then the TIFF block.
  if (app1.size() < 6 || std::memcmp(app1.constData(), "Exif\0", 5) != 0) return 0;
  TiffBlock t(app1.constData() + 6, app1.size() - 6);
  if (!t.SetOrder() || t.U16(2) != 42) return 1;
  const qint64 ifd = t.U32(4);
  if (!t.Fits(ifd, 2)) return 1;
  const qint64 count = t.U16(ifd);
  // A directory claiming more entries than the block holds is read as far as it goes.
  for (qint64 i = 0; i < count && t.Fits(ifd + 2 + 12 * i, 12); ++i) {
    const qint64 e = ifd + 2 + 12 * i;
    if (t.U16(e) != kOrientationTag) continue;
    const quint32 type = t.U16(e + 2);
    const quint32 v = type == kShort ? t.U16(e + 8) : type == kLong ? t.U32(e + 8) : 0;
    return v >= 1 && v <= 8 ? int(v) : 1;
  }
  return 1;
}

int OrientationOf(QImageIOHandler::Transformations t) {
  switch (int(t)) {
    case QImageIOHandler::TransformationMirror: return 2;
    case QImageIOHandler::TransformationRotate180: return 3;
    case QImageIOHandler::TransformationFlip: return 4;
    case QImageIOHandler::TransformationFlipAndRotate90: return 5;
    case QImageIOHandler::TransformationRotate90: return 6;
    case QImageIOHandler::TransformationMirrorAndRotate90: return 7;
    case QImageIOHandler::TransformationRotate270: return 8;
    default: return 1;
  }
}

QImage Upright(QImage stored, int orientation) {
  if (stored.isNull()) return stored;
  // Mirroring works in place; a quarter turn makes one copy (Qt's fast path for
  // right angles), mirrored afterwards in place.
  const auto quarter = [&](qreal degrees) { return stored.transformed(QTransform().rotate(degrees)); };
  switch (orientation) {
    case 2: return std::move(stored).mirrored(true, false);
    case 3: return std::move(stored).mirrored(true, true);
    case 4: return std::move(stored).mirrored(false, true);
    case 5: return quarter(90).mirrored(true, false);
    case 6: return quarter(90);
    case 7: return quarter(90).mirrored(false, true);
    case 8: return quarter(270);
    default: return stored;
  }
}

}  // namespace pictures
