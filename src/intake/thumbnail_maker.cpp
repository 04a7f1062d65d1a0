#include "intake/thumbnail_maker.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <atomic>
#include <cerrno>
#include <filesystem>

#include "archive/errorlog.h"
#include "intake/FileDateTimeMod.h"
#include "platform/files.h"
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

// Writes beside the target and renames over it, so a reader never sees half a
// thumbnail and a link in the thumbnail's place is replaced, not written through.
// No fsync: a thumbnail lost in a crash is rebuilt by the archive check.
void WriteThumbnailBytes(const std::string& path, const QByteArray& bytes) {
  const std::string folder = qm::ParentFolder(path);
  if (!folder.empty() && !qm::FolderExists(folder)) throw qm::RuntimeError(qm::ErrPathNotFound);
  static std::atomic<unsigned> counter{0};
  const std::string tmp = folder + ".qm-thumb-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) qm::ThrowFromErrno(errno);
  const char* data = bytes.constData();
  size_t left = size_t(bytes.size());
  while (left > 0) {
    const ssize_t w = ::write(fd, data, left);
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) {
      const int err = errno;
      ::close(fd);
      ::unlink(tmp.c_str());
      qm::ThrowFromErrno(err);
    }
    data += w;
    left -= size_t(w);
  }
  if (::close(fd) != 0 || ::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    qm::ThrowFromErrno(err);
  }
}

}  // namespace

QSize ThumbnailBoxSize(int width, int height) {
  if (width <= 0 || height <= 0) return BlankThumbnailSize();
  if (width >= height) return QSize(kThumbnailSide, RoundedShare(height, width));
  return QSize(RoundedShare(width, height), kThumbnailSide);
}

std::string ThumbnailPhotoName(const std::string& entry) {
  const size_t slash = entry.find_last_of('/');
  return slash == std::string::npos ? entry : entry.substr(slash + 1);
}

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
    WriteThumbnailBytes(thumbPath, bmp);
  } catch (const qm::RuntimeError& e) {
    LogError(kProc, e.Description() + " (" + thumbPath + ")");
    return false;
  }
  // A photo whose time cannot be read leaves the thumbnail out of date on purpose:
  // the archive check builds it again.
  const std::string date = FileDateText(photoPath);
  if (!date.empty() && !SetFileDateTime(thumbPath, date))
    LogError(kProc, "The time of the thumbnail could not be set (" + thumbPath + ")");
  return true;
}
