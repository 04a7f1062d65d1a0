#include "core/picture_decode.h"

#include <malloc.h>
#include <unistd.h>

#include <QFile>
#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <QtMath>
#include <QtPlugin>
#include <algorithm>
#include <mutex>

#include "platform/files.h"
#include "wmf/wmf_plugin.h"
#include "wmf/wmf_render.h"

// WMF pictures, read through our own plugin; imported here, where every reader
// of pictures links.
Q_IMPORT_PLUGIN(WmfImagePlugin)

namespace pictures {

namespace {

// Application segments (EXIF, an ICC profile split over several) come before the frame header;
// a header further in than this is treated as none.
constexpr qint64 kMaxHeaderScan = 4 << 20;

int Byte(QIODevice& d) {
  char c;
  return d.getChar(&c) ? int(uchar(c)) : -1;
}

int Word(QIODevice& d) {
  const int hi = Byte(d), lo = Byte(d);
  return hi < 0 || lo < 0 ? -1 : (hi << 8 | lo);
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

// The frame header (SOFn) and the first scan header of a JPEG; false when either
// is missing or makes no sense, in which case the JPEG library would refuse too.
bool ParseJpeg(QIODevice& d, Header& h) {
  if (Byte(d) != 0xFF || Byte(d) != 0xD8) return false;
  struct Comp {
    int hs, vs;
  };
  Comp comps[4]{};
  bool frame = false;
  bool exif = false;
  while (d.pos() < kMaxHeaderScan) {
    int b = Byte(d);
    if (b != 0xFF) {
      if (b < 0) break;
      continue;  // stray bytes between segments, as the library skips them
    }
    int m = Byte(d);
    while (m == 0xFF) m = Byte(d);
    if (m < 0) break;
    if (m == 0x01 || m == 0xD8 || (m >= 0xD0 && m <= 0xD7)) continue;
    if (m == 0xD9) break;
    const int len = Word(d);
    if (len < 2) break;
    if (IsJpegFrameMarker(m) && !frame) {
      const int precision = Byte(d);
      const int height = Word(d), width = Word(d), n = Byte(d);
      if (precision < 0 || height <= 0 || width <= 0 || n < 1 || n > 4) return false;
      for (int i = 0; i < n; ++i) {
        Byte(d);
        const int hv = Byte(d);
        Byte(d);
        comps[i] = {hv >> 4, hv & 15};
        if (hv < 0 || comps[i].hs < 1 || comps[i].hs > 4 || comps[i].vs < 1 || comps[i].vs > 4) return false;
      }
      frame = true;
      h.size = QSize(width, height);
      h.components = n;
      h.bytesPerPixel = n == 1 ? 1 : 4;
      h.allCoefficients = IsProgressiveFrameMarker(m);
      int hmax = 1, vmax = 1;
      for (int i = 0; i < n; ++i) {
        hmax = std::max(hmax, comps[i].hs);
        vmax = std::max(vmax, comps[i].vs);
      }
      // The library's whole-picture coefficient arrays: blocks rounded up to the
      // component's sampling factor, 64 coefficients of two bytes each.
      for (int i = 0; i < n; ++i) {
        const std::int64_t bw = CeilDiv(CeilDiv(std::int64_t(width) * comps[i].hs, 8LL * hmax), comps[i].hs) * comps[i].hs;
        const std::int64_t bh = CeilDiv(CeilDiv(std::int64_t(height) * comps[i].vs, 8LL * vmax), comps[i].vs) * comps[i].vs;
        h.coefficientBytes += bw * bh * 128;
      }
      d.skip(len - 8 - 3 * n);
      continue;
    }
    // The first EXIF block gives the orientation (it comes before the frame).
    if (m == 0xE1 && !exif) {
      const QByteArray segment = d.read(len - 2);
      if (segment.size() != len - 2) break;
      if (const int o = ExifOrientation(segment)) {
        h.orientation = o;
        exif = true;
      }
      continue;
    }
    if (m == 0xDA) {
      if (!frame) return false;
      // A first scan without every component means more scans follow.
      if (Byte(d) < h.components) h.allCoefficients = true;
      return true;
    }
    if (d.skip(len - 2) != len - 2) break;
  }
  if (!frame) return false;
  // No scan header within reach: assume the worst.
  h.allCoefficients = true;
  return true;
}

}  // namespace

bool IsJpegFrameMarker(int m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
bool IsProgressiveFrameMarker(int m) { return m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE; }

void UseAllocationLimit() {
  static std::once_flag once;
  std::call_once(once, [] { QImageReader::setAllocationLimit(kAllocationLimitMb); });
}

int OpenPictureDescriptor(const std::string& path) { return qm::OpenRegularFile(path); }

bool OpenPictureFile(QFile& file, const std::string& path) {
  const int fd = OpenPictureDescriptor(path);
  if (fd < 0) return false;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

void ShareMemoryPools() {
#ifdef __GLIBC__
  static std::once_flag once;
  std::call_once(once, [] { mallopt(M_ARENA_MAX, kMemoryPools); });
#endif
}

Header ReadHeader(QIODevice& device) {
  Header h;
  device.seek(0);
  // The JPEG library takes FF D8 as a start and skips stray bytes before the next
  // marker, so every such file is judged by our own parser, never by Qt's reader,
  // whose answers after a failed header read are unset.
  const QByteArray start = device.peek(2);
  if (start.size() == 2 && uchar(start[0]) == 0xFF && uchar(start[1]) == 0xD8) {
    h.jpeg = true;
    h.format = "jpeg";
    if (!ParseJpeg(device, h)) h.size = QSize();
    device.seek(0);
    return h;
  }
  {
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    h.format = reader.format();
    h.vector = h.format == "wmf";
    if (h.vector && !device.isSequential()) h.fileBytes = device.size();
    if (!h.format.isEmpty()) {
      h.size = reader.size();
      if (h.size.isValid()) h.orientation = OrientationOf(reader.transformation());
      // Nothing a handler says after it failed to read the size is trusted.
      const QImage::Format f = h.size.isValid() ? reader.imageFormat() : QImage::Format_Invalid;
      // An unknown layout may be sixteen bits a channel.
      h.bytesPerPixel = f <= QImage::Format_Invalid || f >= QImage::NImageFormats
                            ? 8
                            : std::max(4, QImage::toPixelFormat(f).bitsPerPixel() / 8);
      // A drawing whose size could not be had is refused by its library too.
      if (h.vector && !h.size.isValid()) h.format.clear();
    }
  }
  device.seek(0);
  return h;
}

QSize JpegScaledSize(QSize size, int eighths) {
  eighths = std::clamp(eighths, 1, 8);
  return {int(CeilDiv(std::int64_t(size.width()) * eighths, 8)), int(CeilDiv(std::int64_t(size.height()) * eighths, 8))};
}

int JpegEighthsFor(QSize size, QSize atLeast) {
  for (int n = 1; n < 8; ++n) {
    const QSize s = JpegScaledSize(size, n);
    if (s.width() >= atLeast.width() && s.height() >= atLeast.height()) return n;
  }
  return 8;
}

namespace {

// Qt's reader picks n = ceil(8 / f), f the smaller ratio of the picture to the
// size asked for.
int QtEighths(QSize size, QSize asked) {
  const double f = std::min(double(size.width()) / asked.width(), double(size.height()) / asked.height());
  return std::clamp(qCeil(8 / f), 1, 8);
}

}  // namespace

QSize JpegRequestFor(QSize size, int eighths, QSize wanted) {
  if (wanted.isValid() && !wanted.isEmpty() && QtEighths(size, wanted) == eighths) return wanted;
  const QSize exact = JpegScaledSize(size, eighths);
  if (QtEighths(size, exact) == eighths) return exact;
  const QSize lower(std::max(1, int(std::int64_t(size.width()) * eighths / 8)),
                    std::max(1, int(std::int64_t(size.height()) * eighths / 8)));
  return QtEighths(size, lower) == eighths ? lower : exact;
}

std::int64_t DecodeBytes(const Header& h, int eighths, QSize scaled) {
  if (!h.size.isValid() || h.size.isEmpty()) return -1;
  const auto area = [](QSize s) { return std::int64_t(s.width()) * s.height(); };
  const bool drawnAsAsked = h.vector && scaled.isValid() && !scaled.isEmpty();
  const QSize decoded = h.jpeg ? JpegScaledSize(h.size, eighths) : drawnAsAsked ? scaled : h.size;
  std::int64_t last = area(decoded) * h.bytesPerPixel;
  std::int64_t bytes = last;
  if (scaled.isValid() && scaled != decoded) {
    last = area(scaled) * 4;
    bytes += last;
  }
  // A quarter turn copies the last picture made.
  if (SwapsSides(h.orientation)) bytes += last;
  if (h.jpeg) {
    if (h.allCoefficients) bytes += h.coefficientBytes;
    // One row of coefficient blocks, the sample rows with their context, the
    // upsampled and colour-converted rows: well within 128 bytes a column a component.
    bytes += std::int64_t(h.size.width()) * std::max(h.components, 1) * 128;
  }
  // The decoders' tables and the reader's buffers.
  return bytes + (1 << 20);
}

std::int64_t HelperBytes(const Header& h, QSize scaled) {
  if (!h.vector) return 0;
  const QSize drawn = scaled.isValid() && !scaled.isEmpty() ? scaled : h.size;
  return wmf::HelperMemory(h.fileBytes, std::int64_t(drawn.width()) * drawn.height() * 4);
}

std::int64_t HeaderHelperBytes(const std::string& path) {
  QFile file;
  return OpenPictureFile(file, path) ? WmfImageHandler::SizeMemory(&file) : 0;
}

}  // namespace pictures
