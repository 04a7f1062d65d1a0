#include "core/viewer_rules.h"

#include <sys/stat.h>

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "core/picture_decode.h"
#include "core/slideshow_rules.h"
#include "platform/runtime_error.h"

namespace viewer {

namespace {

// The largest size a widget takes (Qt's QWIDGETSIZE_MAX).
constexpr std::int64_t kWidgetSizeMax = (1 << 24) - 1;

// The quotients are compared in single precision, as the area's sizes are.
bool Fits(int length, int k, int area) { return float(length) / float(k) < float(area); }

}  // namespace

int FitDenominator(int width, int height, int areaWidth, int areaHeight) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  // The arithmetic answer, then checked the way the comparison is made.
  int k = std::max({1, width / std::max(areaWidth, 1) + 1, height / std::max(areaHeight, 1) + 1});
  while (k > 1 && Fits(width, k - 1, areaWidth) && Fits(height, k - 1, areaHeight)) --k;
  while (!(Fits(width, k, areaWidth) && Fits(height, k, areaHeight))) ++k;
  return k;
}

namespace {

std::optional<int> InRange(long next) {
  if (next < std::numeric_limits<std::int16_t>::min() || next > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return int(next);
}

}  // namespace

std::optional<int> ZoomInStep(int zoomLevel) {
  const long next = long(zoomLevel) + 1;
  return InRange(next == 0 ? 2 : next);
}

std::optional<int> ZoomOutStep(int zoomLevel) {
  const long next = long(zoomLevel) - 1;
  return InRange(next == 0 ? -2 : next);
}

QString ZoomCaption(int zoomLevel) {
  if (zoomLevel >= 0) return QStringLiteral("Zoom  %1/1").arg(zoomLevel);
  return QStringLiteral("Zoom  1/%1").arg(-std::int64_t(zoomLevel));
}

Extent ZoomedSize(int width, int height, int zoomLevel) {
  if (zoomLevel >= 0) return {std::int64_t(width) * zoomLevel, std::int64_t(height) * zoomLevel};
  const double k = -double(zoomLevel);
  return {std::llround(width / k), std::llround(height / k)};
}

bool ExtentAllowed(const Extent& e) {
  return e.width >= 0 && e.height >= 0 && e.width <= kWidgetSizeMax && e.height <= kWidgetSizeMax;
}

int CentredOrigin(int area, std::int64_t length) {
  return int(std::floor((double(area) - double(length)) * 0.5));
}

int Reduction(int zoomLevel) { return zoomLevel >= -1 ? 1 : int(-std::int64_t(zoomLevel)); }

int DecodeFactor(int zoomLevel) {
  if (zoomLevel >= -1) return 1;
  const std::int64_t k = -std::int64_t(zoomLevel);
  if (k >= 8) return 8;
  if (k >= 4) return 4;
  return 2;
}

QSize DecodeSize(int width, int height, int factor) {
  factor = std::max(factor, 1);
  return {std::max(width / factor, 1), std::max(height / factor, 1)};
}

int CoverFactor(QSize picture, QSize shown) {
  for (int factor : {8, 4, 2}) {
    const QSize reduced = DecodeSize(picture.width(), picture.height(), factor);
    if (reduced.width() >= shown.width() && reduced.height() >= shown.height()) return factor;
  }
  return 1;
}

Detail DetailFor(QSize picture, const Showing& showing) {
  const int fit = FitDenominator(picture.width(), picture.height(), showing.area.width(), showing.area.height());
  const QSize onScreen = showing.screen.isEmpty() ? QSize() : slideshow::FullScreenFit(picture, showing.screen).size();
  if (onScreen.isEmpty()) return Detail(fit);
  const Extent inArea = ZoomedSize(picture.width(), picture.height(), -fit);
  const bool screenLarger = onScreen.width() >= inArea.width && onScreen.height() >= inArea.height;
  return Detail(std::min(fit, CoverFactor(picture, onScreen)), screenLarger ? onScreen : QSize());
}

namespace {

FileStamp StampOf(const struct stat& st) {
  return {st.st_dev, st.st_ino, std::int64_t(st.st_size),
          std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// The finest 1/k whose size a drawing of that size still covers.
int DrawnFactor(QSize size, QSize drawn) {
  const double ratio = std::max(double(size.width()) / drawn.width(), double(size.height()) / drawn.height());
  int k = std::max(1, int(std::floor(ratio)));
  for (;; ++k) {
    const Extent e = ZoomedSize(size.width(), size.height(), -k);
    if (e.width <= drawn.width() && e.height <= drawn.height()) return k;
  }
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? StampOf(st) : FileStamp{};
}

DecodedPicture ReadPicture(const std::string& path, const std::function<Detail(QSize)>& detailFor,
                           std::int64_t budget) {
  pictures::UseAllocationLimit();
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) throw qm::RuntimeError(qm::ErrFileNotFound);
  QFile file;
  if (!pictures::OpenPictureFile(file, path)) throw qm::RuntimeError(qm::ErrInvalidPicture);
  DecodedPicture out;
  struct stat st {};
  if (::fstat(file.handle(), &st) == 0) out.stamp = StampOf(st);
  const pictures::Header header = pictures::ReadHeader(file);
  // A JPEG whose header makes no sense is refused here, as its library would.
  if (header.format.isEmpty() || (header.jpeg && !header.size.isValid()))
    throw qm::RuntimeError(qm::ErrInvalidPicture);

  const int orientation = header.orientation;
  out.size = pictures::UprightSize(header.size, orientation);
  QSize request;
  const Detail detail = detailFor ? detailFor(out.size) : Detail();
  const int reduction = std::max(detail.reduction, 1);
  if (header.jpeg) {
    out.factor = DecodeFactor(-reduction);
    // The reader reduces the stored pixels, before they are turned.
    if (out.factor > 1) request = DecodeSize(header.size.width(), header.size.height(), out.factor);
  } else if (header.vector && header.size.isValid()) {
    // Drawn at the size shown, rounded as the view rounds it (a drawing is never turned).
    out.drawing = true;
    if (!detail.drawing.isEmpty()) {
      request = detail.drawing;
      out.factor = DrawnFactor(header.size, request);
    } else {
      out.factor = reduction;
      const Extent e = ZoomedSize(header.size.width(), header.size.height(), -reduction);
      request = QSize(int(std::max<std::int64_t>(e.width, 1)), int(std::max<std::int64_t>(e.height, 1)));
    }
  }
  const std::int64_t bytes = pictures::DecodeBytes(header, 8 / out.factor, request);
  if (bytes > budget)
    throw qm::RuntimeError(pictures::kErrOutOfMemory, pictures::kOutOfMemoryText);

  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(false);
  if (request.isValid()) reader.setScaledSize(request);
  out.image = pictures::Upright(reader.read(), orientation);
  if (out.image.isNull()) throw qm::RuntimeError(qm::ErrInvalidPicture);
  if (!out.size.isValid() || (out.factor == 1 && !out.drawing)) {
    out.size = out.image.size();
    out.factor = 1;
  }
  return out;
}

}  // namespace viewer
