#include "core/viewer_rules.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "core/picture_decode.h"
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

DecodedPicture ReadPicture(const std::string& path, const std::function<int(QSize)>& reductionFor,
                           std::int64_t budget) {
  pictures::UseAllocationLimit();
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) throw qm::RuntimeError(qm::ErrFileNotFound);
  QFile file;
  if (!pictures::OpenPictureFile(file, path)) throw qm::RuntimeError(qm::ErrInvalidPicture);
  const pictures::Header header = pictures::ReadHeader(file);
  // A JPEG whose header makes no sense is refused here, as its library would.
  if (header.format.isEmpty() || (header.jpeg && !header.size.isValid()))
    throw qm::RuntimeError(qm::ErrInvalidPicture);

  DecodedPicture out;
  const int orientation = header.orientation;
  out.size = pictures::UprightSize(header.size, orientation);
  QSize request;
  const int reduction = std::max(reductionFor ? reductionFor(out.size) : 1, 1);
  if (header.jpeg) {
    out.factor = DecodeFactor(-reduction);
    // The reader reduces the stored pixels, before they are turned.
    if (out.factor > 1) request = DecodeSize(header.size.width(), header.size.height(), out.factor);
  } else if (header.vector && header.size.isValid()) {
    // Drawn at the size shown, rounded as the view rounds it (a drawing is never turned).
    out.factor = reduction;
    const Extent e = ZoomedSize(header.size.width(), header.size.height(), -reduction);
    request = QSize(int(std::max<std::int64_t>(e.width, 1)), int(std::max<std::int64_t>(e.height, 1)));
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
  if (!out.size.isValid() || out.factor == 1) {
    out.size = out.image.size();
    out.factor = 1;
  }
  return out;
}

}  // namespace viewer
