// The thumbnail decode of a photo file, reduced and full, and the decode of a
// progressive JPEG from its DC alone whatever its size.
#include <QFile>

#include "core/jpeg_dc_decode.h"
#include "core/modquillmont.h"
#include "core/thumbnail_maker.h"
#include "harness.h"

namespace {

// The most one decode may take here, whatever the machine: the replay keeps the
// process under 512 MB.
constexpr std::int64_t kLimit = std::int64_t(160) << 20;

void DecodeDc(const std::string& path) {
  QFile file;
  if (!pictures::OpenPictureFile(file, path)) return;
  const pictures::Header h = pictures::ReadHeader(file);
  const std::int64_t bytes = pictures::DecodeBytes(h, 1, QSize());
  if (!pictures::JpegDcSuits(h) || bytes > kLimit) return;
  QImage img;
  const pictures::JpegDcOutcome outcome = pictures::DecodeJpegDc(path, h, bytes, img);
  fuzz::Expect((outcome == pictures::JpegDcOutcome::Decoded) == !img.isNull(), "a picture exactly when decoded");
  fuzz::Expect(img.isNull() || img.size() == pictures::JpegScaledSize(h.size, 1), "the picture at 1/8");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  // Named as a JPEG whatever it holds: the decoder goes by content.
  const std::string path = PhotosFolder + "fuzz.jpg";
  fuzz::WriteBytes(path, data, size);
  for (bool reduced : {true, false}) {
    const ThumbnailPicture t = LoadThumbnailPicture(path, reduced, kLimit);
    fuzz::Expect(t.box.width() >= 1 && t.box.width() <= kThumbnailSide && t.box.height() >= 1 &&
                     t.box.height() <= kThumbnailSide,
                 "box inside 100 x 100");
    fuzz::Expect(!t.loaded || t.picture.size() == t.box, "picture fitted to its box");
  }
  DecodeDc(path);
  return 0;
}
