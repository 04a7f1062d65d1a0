#include "core/thumbnail_maker.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <filesystem>

#include "core/errorlog.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/runtime_error.h"

namespace {

const char* const kProc = "CreateThumbnails";

int RoundedShare(int part, int whole) {
  const long long v = (100LL * part + whole / 2) / whole;
  return int(std::max(1LL, v));
}

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  return std::filesystem::equivalent(std::filesystem::path(a), std::filesystem::path(b), ec) && !ec;
}

}  // namespace

QSize ThumbnailBoxSize(int width, int height) {
  if (width <= 0 || height <= 0) return BlankThumbnailSize();
  if (width >= height) return QSize(kThumbnailSide, RoundedShare(height, width));
  return QSize(RoundedShare(width, height), kThumbnailSide);
}

std::string ThumbnailPhotoName(const std::string& entry) { return qm::BaseName(entry); }

ThumbnailPicture LoadThumbnailPicture(const std::string& path, bool reducedDecode) {
  ThumbnailPicture out;
  out.box = BlankThumbnailSize();
  std::string bytes;
  try {
    if (path.empty()) return out;
    bytes = qm::ReadFileBytes(path);
  } catch (const qm::RuntimeError&) {
    return out;
  }
  QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);

  QSize size = reader.size();
  QImage img;
  if (size.isValid()) {
    const QSize box = ThumbnailBoxSize(size.width(), size.height());
    // The JPEG library scales by 1/2, 1/4 or 1/8 while decoding and Qt smooths the
    // rest, so the result matches a full decode scaled down.
    if (reducedDecode && reader.format() == "jpeg" && size.width() >= 2 * box.width() &&
        size.height() >= 2 * box.height())
      reader.setScaledSize(box);
    img = reader.read();
  } else {
    img = reader.read();
    size = img.size();
  }
  if (img.isNull() || size.isEmpty()) return out;

  out.loaded = true;
  out.size = size;
  out.box = ThumbnailBoxSize(size.width(), size.height());
  out.picture = img.size() == out.box ? img : img.scaled(out.box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return out;
}

QImage DrawThumbnail(const QImage& picture, QSize box, const QColor& background) {
  QImage out(box, QImage::Format_RGB32);
  out.fill(background);
  if (picture.isNull()) return out;
  QPainter p(&out);
  if (picture.size() == box)
    p.drawImage(0, 0, picture);
  else
    p.drawImage(0, 0, picture.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return out;
}

bool SaveThumbnailFile(const QImage& thumb, const std::string& thumbPath, const std::string& photoPath) {
  if (IsSameFile(thumbPath, photoPath)) {
    LogError(kProc, "The thumbnail would replace the photo itself (" + photoPath + "); not saved");
    return false;
  }
  QByteArray bmp;
  {
    QBuffer buf(&bmp);
    buf.open(QIODevice::WriteOnly);
    if (thumb.isNull() || !thumb.save(&buf, "BMP")) {
      LogError(kProc, "The thumbnail could not be encoded (" + thumbPath + ")");
      return false;
    }
  }
  try {
    // Beside the target and renamed over it, so a reader never sees half a thumbnail
    // and a link in the thumbnail's place is replaced, not written through. Not
    // flushed: a thumbnail lost in a crash is rebuilt by the archive check.
    qm::ReplaceFileAtomically(thumbPath, bmp.toStdString(), false);
  } catch (const qm::RuntimeError& e) {
    LogError(kProc, e.Description() + " (" + thumbPath + ")");
    return false;
  }
  // The photo's time is copied as a number: as local-time text it would be
  // ambiguous in the hour repeated when summer time ends, and the thumbnail would
  // then look out of date at every start. A photo whose time cannot be read leaves
  // the thumbnail out of date on purpose: the archive check builds it again.
  std::int64_t photoTime = 0;
  if (!qm::ResumeNext([&] { photoTime = qm::FileDateTime(photoPath); })) return true;
  if (!qm::SetFileModified(thumbPath, photoTime))
    LogError(kProc, "The time of the thumbnail could not be set (" + thumbPath + ")");
  return true;
}
