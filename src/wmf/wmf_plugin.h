#pragma once
// WMF pictures as a Qt image format, found by content like every other picture.
// The size comes from the file's own header (a placeable WMF's frame at its units
// per inch, at 96 pixels per inch) or, for a plain WMF, from libwmf's scan; a
// picture is drawn at the size the reader asks for (ScaledSize), so a picture of
// huge nominal size costs only what is drawn. Drawing runs in the helper program.
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <cstdint>
#include <optional>

class WmfImageHandler : public QImageIOHandler {
public:
  bool canRead() const override;
  bool read(QImage* image) override;
  QVariant option(ImageOption option) const override;
  void setOption(ImageOption option, const QVariant& value) override;
  bool supportsOption(ImageOption option) const override;

  // Whether device holds a WMF of at most 64 MB, judged by its first bytes.
  static bool canRead(QIODevice* device);
  // The address space finding its size takes: a plain WMF's is found by the
  // helper; a placeable one's, read from its header, or any other file's, 0.
  static std::int64_t SizeMemory(QIODevice* device);

private:
  QSize NominalSize() const;

  mutable std::optional<QSize> size_;
  QSize scaledSize_;
};

class WmfImagePlugin : public QImageIOPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "wmf_plugin.json")
public:
  Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
  QImageIOHandler* create(QIODevice* device, const QByteArray& format = QByteArray()) const override;
};
