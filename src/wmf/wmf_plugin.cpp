#include "wmf/wmf_plugin.h"

#include <QIODevice>
#include <QImage>
#include <QVariant>

#include "wmf/wmf_format.h"
#include "wmf/wmf_render.h"

namespace {

std::optional<wmf::Layout> PeekLayout(QIODevice* device) {
  if (!device || !device->isReadable()) return std::nullopt;
  // A file over the limit is no picture; a stream's length shows only as it is read.
  if (!device->isSequential() && device->size() - device->pos() > wmf::kMaxFileBytes) return std::nullopt;
  const QByteArray start = device->peek(qint64(wmf::kHeaderBytes));
  return wmf::ParseStart(reinterpret_cast<const std::uint8_t*>(start.constData()), std::size_t(start.size()));
}

}  // namespace

bool WmfImageHandler::canRead(QIODevice* device) { return PeekLayout(device).has_value(); }

std::int64_t WmfImageHandler::SizeMemory(QIODevice* device) {
  const std::optional<wmf::Layout> layout = PeekLayout(device);
  return layout && !layout->placeable ? wmf::HelperMemory(wmf::InputBytes(*device), 0) : 0;
}

bool WmfImageHandler::canRead() const {
  if (!canRead(device())) return false;
  setFormat("wmf");
  return true;
}

QSize WmfImageHandler::NominalSize() const {
  if (size_) return *size_;
  size_ = QSize();
  const std::optional<wmf::Layout> layout = PeekLayout(device());
  if (!layout) return *size_;
  if (layout->placeable) {
    const wmf::Pixels p = wmf::PlaceableSize(*layout);
    size_ = QSize(p.width, p.height);
  } else if (!device()->isSequential()) {
    // A plain WMF has no size of its own: libwmf scans its records for one.
    const qint64 start = device()->pos();
    size_ = wmf::ScannedSize(*device());
    device()->seek(start);
  }
  return *size_;
}

bool WmfImageHandler::read(QImage* image) {
  const QSize size = scaledSize_.isValid() && !scaledSize_.isEmpty() ? scaledSize_ : NominalSize();
  if (!size.isValid() || size.isEmpty() || !canRead(device())) return false;
  // Qt's allocation limit applies as to every other format.
  QImage drawn;
  if (!QImageIOHandler::allocateImage(size, QImage::Format_RGB32, &drawn)) return false;
  if (!wmf::Render(*device(), drawn)) return false;
  *image = std::move(drawn);
  return true;
}

QVariant WmfImageHandler::option(ImageOption option) const {
  switch (option) {
    case Size: {
      const QSize s = NominalSize();
      return s.isValid() ? QVariant(s) : QVariant();
    }
    case ScaledSize: return scaledSize_;
    case ImageFormat: return QImage::Format_RGB32;
    default: return {};
  }
}

void WmfImageHandler::setOption(ImageOption option, const QVariant& value) {
  if (option == ScaledSize) scaledSize_ = value.toSize();
}

bool WmfImageHandler::supportsOption(ImageOption option) const {
  return option == Size || option == ScaledSize || option == ImageFormat;
}

QImageIOPlugin::Capabilities WmfImagePlugin::capabilities(QIODevice* device, const QByteArray& format) const {
  if (format == "wmf") return CanRead;
  if (!format.isEmpty()) return {};
  return WmfImageHandler::canRead(device) ? Capabilities(CanRead) : Capabilities();
}

QImageIOHandler* WmfImagePlugin::create(QIODevice* device, const QByteArray& format) const {
  auto* handler = new WmfImageHandler;
  handler->setDevice(device);
  handler->setFormat(format.isEmpty() ? QByteArray("wmf") : format);
  return handler;
}
