#include "core/thumbnail_maker.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <filesystem>

#include "core/errorlog.h"
#include "core/jpeg_dc_decode.h"
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

ThumbnailPlan PlanThumbnail(const std::string& path, bool reducedDecode) {
  ThumbnailPlan plan;
  plan.path = path;
  QFile file;
  if (!pictures::OpenPictureFile(file, path)) return plan;
  plan.header = pictures::ReadHeader(file);
  const pictures::Header& h = plan.header;
  if (h.format.isEmpty() || (h.jpeg && !h.size.isValid())) return plan;
  if (h.size.isValid()) {
    const QSize box = ThumbnailBoxSize(h.size.width(), h.size.height());
    if (h.jpeg && reducedDecode) {
      plan.eighths = pictures::JpegEighthsFor(h.size, box * 2);
      if (plan.eighths < 8) plan.request = pictures::JpegRequestFor(h.size, plan.eighths, box);
    }
    plan.bytes = pictures::DecodeBytes(h, plan.eighths, box);
  } else {
    // Qt's own allocation limit bounds what it then decodes; it decodes alone.
    plan.bytes = kThumbnailAloneLimit;
  }
  return plan;
}

namespace {

// The picture of a size fitted to its box; not loaded when there is none.
ThumbnailPicture Fitted(const QImage& img, QSize size) {
  ThumbnailPicture out;
  out.box = BlankThumbnailSize();
  if (img.isNull() || size.isEmpty()) return out;
  out.loaded = true;
  out.size = size;
  out.box = ThumbnailBoxSize(size.width(), size.height());
  out.picture = img.size() == out.box ? img : img.scaled(out.box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return out;
}

}  // namespace

ThumbnailPicture DecodeThumbnail(const ThumbnailPlan& plan) {
  if (plan.bytes <= 0) return Fitted(QImage(), QSize());
  if (plan.eighths == 1 && pictures::JpegDcSuits(plan.header)) {
    QImage dc;
    switch (pictures::DecodeJpegDc(plan.path, plan.header, plan.bytes, dc)) {
      case pictures::JpegDcOutcome::Decoded:
        return Fitted(dc, plan.header.size);
      case pictures::JpegDcOutcome::Failed:
        return Fitted(QImage(), QSize());
      case pictures::JpegDcOutcome::Unsuited:
        break;
    }
  }
  pictures::UseAllocationLimit();
  QFile file;
  if (!pictures::OpenPictureFile(file, plan.path)) return Fitted(QImage(), QSize());
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(false);
  if (plan.request.isValid()) reader.setScaledSize(plan.request);
  const QImage img = reader.read();
  return Fitted(img, plan.header.size.isValid() ? plan.header.size : img.size());
}

ThumbnailPicture LoadThumbnailPicture(const std::string& path, bool reducedDecode, std::int64_t limit) {
  const ThumbnailPlan plan = PlanThumbnail(path, reducedDecode);
  if (plan.bytes > limit) {
    ThumbnailPicture out;
    out.tooLarge = true;
    out.size = plan.header.size;
    out.box = BlankThumbnailSize();
    return out;
  }
  return DecodeThumbnail(plan);
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
