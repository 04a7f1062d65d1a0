#include "core/thumbnail_maker.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <filesystem>
#include <mutex>
#include <set>

#include "core/errorlog.h"
#include "core/jpeg_dc_decode.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/runtime_error.h"

namespace {

const char* const kProc = "CreateThumbnails";

// Whatever a thumbnail file claims to be, the grid never reads more than this.
constexpr std::int64_t kThumbnailFileBudget = std::int64_t(16) << 20;

int RoundedShare(int part, int whole) {
  const long long v = (100LL * part + whole / 2) / whole;
  return int(std::max(1LL, v));
}

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  return std::filesystem::equivalent(std::filesystem::path(a), std::filesystem::path(b), ec) && !ec;
}

// Every thumbnail the program writes is a BMP, so a file of any other kind under a
// thumbnail's name is a user's: a SourceFolders\Thumbnails setting naming a folder
// of pictures. A missing or empty file, or a BMP, may be replaced.
bool HoldsNoThumbnail(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return false;  // not there, or the write says why
  if (S_ISDIR(st.st_mode)) return false;               // the write fails and says so
  if (!S_ISREG(st.st_mode)) return true;               // a link is never the program's
  if (st.st_size == 0) return false;
  char start[2] = {};
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return true;
  const bool bmp = ::read(fd, start, 2) == 2 && start[0] == 'B' && start[1] == 'M';
  ::close(fd);
  return !bmp;
}

// Once a start for each file, since the check lists it again at every start.
void LogLeftAlone(const std::string& path) {
  static std::mutex guard;
  static std::set<std::string> logged;
  const std::lock_guard<std::mutex> lock(guard);
  if (logged.insert(path).second)
    LogError(kProc, "A file that is no thumbnail has the thumbnail's name (" + path + "); it is left alone");
}

}  // namespace

QSize ThumbnailBoxSize(int width, int height) {
  if (width <= 0 || height <= 0) return BlankThumbnailSize();
  if (width >= height) return QSize(kThumbnailSide, RoundedShare(height, width));
  return QSize(RoundedShare(width, height), kThumbnailSide);
}

std::string ThumbnailPhotoName(const std::string& entry) { return qm::BaseName(entry); }

ThumbnailPlan PlanThumbnail(const std::string& path, bool reducedDecode) {
  ThumbnailPlan plan;
  plan.path = path;
  QFile file;
  if (!pictures::OpenPictureFile(file, path)) return plan;
  plan.header = pictures::ReadHeader(file);
  const pictures::Header& h = plan.header;
  if (h.format.isEmpty() || (h.jpeg && !h.size.isValid())) return plan;
  if (h.size.isValid()) {
    // The box in the stored orientation: the reader reduces before the turn.
    const QSize box = ThumbnailBoxSize(h.size.width(), h.size.height());
    if (h.jpeg && reducedDecode) {
      plan.eighths = pictures::JpegEighthsFor(h.size, box * 2);
      if (plan.eighths < 8) plan.request = pictures::JpegRequestFor(h.size, plan.eighths, box);
    } else if (h.vector) {
      plan.request = box;  // drawn at the thumbnail's size, whatever size it claims
    }
    plan.bytes = pictures::DecodeBytes(h, plan.eighths, box);
  } else {
    // Qt's own allocation limit bounds what it then decodes; it decodes alone.
    plan.bytes = kThumbnailAloneLimit;
  }
  return plan;
}

namespace {

ThumbnailPicture NotLoaded() {
  ThumbnailPicture out;
  out.box = BlankThumbnailSize();
  return out;
}

// A picture decoded in its stored orientation, of that stored size, fitted to its
// box and turned upright; not loaded when there is none.
ThumbnailPicture Fitted(const QImage& img, QSize stored, int orientation) {
  if (img.isNull() || stored.isEmpty()) return NotLoaded();
  ThumbnailPicture out;
  // Fitted in the stored orientation (the box of the sides swapped is the box
  // swapped), then turned upright.
  const QSize box = ThumbnailBoxSize(stored.width(), stored.height());
  out.loaded = true;
  out.size = pictures::UprightSize(stored, orientation);
  out.box = pictures::UprightSize(box, orientation);
  out.picture = pictures::Upright(
      img.size() == box ? img : img.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), orientation);
  return out;
}

}  // namespace

ThumbnailPicture DecodeThumbnail(const ThumbnailPlan& plan, std::int64_t limit) {
  if (plan.bytes > limit) {
    ThumbnailPicture out = NotLoaded();
    out.tooLarge = true;
    out.size = pictures::UprightSize(plan.header.size, plan.header.orientation);
    return out;
  }
  if (plan.bytes <= 0) return NotLoaded();
  const int orientation = plan.header.orientation;
  if (plan.eighths == 1 && pictures::JpegDcSuits(plan.header)) {
    QImage dc;
    switch (pictures::DecodeJpegDc(plan.path, plan.header, plan.bytes, dc)) {
      case pictures::JpegDcOutcome::Decoded:
        return Fitted(dc, plan.header.size, orientation);
      case pictures::JpegDcOutcome::Failed:
        return NotLoaded();
      case pictures::JpegDcOutcome::Unsuited:
        break;
    }
  }
  pictures::UseAllocationLimit();
  QFile file;
  if (!pictures::OpenPictureFile(file, plan.path)) return NotLoaded();
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(false);
  if (plan.request.isValid()) reader.setScaledSize(plan.request);
  const QImage img = reader.read();
  return Fitted(img, plan.header.size.isValid() ? plan.header.size : img.size(), orientation);
}

ThumbnailPicture LoadThumbnailPicture(const std::string& path, bool reducedDecode, std::int64_t limit) {
  return DecodeThumbnail(PlanThumbnail(path, reducedDecode), limit);
}

QImage ReadThumbnailFile(const std::string& path) {
  pictures::UseAllocationLimit();
  QFile file;
  if (!pictures::OpenPictureFile(file, path)) return {};
  const pictures::Header header = pictures::ReadHeader(file);
  const std::int64_t bytes = pictures::DecodeBytes(header, 8, QSize());
  if (header.format.isEmpty() || bytes < 0 || bytes > kThumbnailFileBudget) return {};
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  QImage picture;
  if (!reader.read(&picture)) return {};
  // A picture larger than a thumbnail would cover its neighbours.
  if (picture.width() > kThumbnailSide || picture.height() > kThumbnailSide)
    picture = picture.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return picture;
}

QImage DrawThumbnail(const QImage& picture, QSize box, const QColor& background) {
  // An opaque picture of the box's size is the drawing already.
  if (picture.size() == box && picture.format() == QImage::Format_RGB32) return picture;
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
  if (HoldsNoThumbnail(thumbPath)) {
    LogLeftAlone(thumbPath);
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
    // Beside the target and renamed over it, so a reader never sees half a thumbnail;
    // a file with other names (hard links) is refused, not written through. Not
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
