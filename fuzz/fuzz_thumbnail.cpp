// Every reader of a photo file: the thumbnail decode (reduced and full) and the
// decode of a progressive JPEG from its DC alone whatever its size, the enlarged
// view, the full-screen viewer and slide show, and the grid's reading of a
// thumbnail file.
#include <QFile>
#include <QSize>

#include "core/jpeg_dc_decode.h"
#include "core/modquillmont.h"
#include "core/thumbnail_maker.h"
#include "core/viewer_rules.h"
#include "harness.h"
#include "platform/runtime_error.h"

namespace {

// Well below the replay's memory bound, so a picture the viewers would open whole
// is refused before decoding rather than taking the process over it.
constexpr std::int64_t kViewBudget = std::int64_t(64) << 20;

template <class Read>
void ReadOrRefuse(Read read, const char* what) {
  try {
    fuzz::Expect(!read().isNull(), what);
  } catch (const qm::RuntimeError&) {
    // Refusing a file is the reader's answer to bytes that hold no picture.
  }
}

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
  // Named as a JPEG whatever it holds: the readers go by content.
  const std::string path = PhotosFolder + "fuzz.jpg";
  fuzz::WriteBytes(path, data, size);
  for (bool reduced : {true, false}) {
    const ThumbnailPicture t = LoadThumbnailPicture(path, reduced, kLimit);
    fuzz::Expect(fuzz::Inside(t.box, kThumbnailSide), "box inside 100 x 100");
    fuzz::Expect(!t.loaded || t.picture.size() == t.box, "picture fitted to its box");
  }
  DecodeDc(path);
  ReadOrRefuse([&] { return viewer::ReadPicture(path, [](QSize) { return 2; }, kViewBudget).image; },
               "the enlarged view read a picture or refused it");
  // The main window's read while the full-screen viewer is open: the detail the screen needs.
  ReadOrRefuse(
      [&] {
        return viewer::ReadPicture(path, [](QSize s) { return viewer::CoverFactor(s, QSize(1920, 1080)); },
                                   kViewBudget)
            .image;
      },
      "the full-screen viewer read a picture or refused it");
  const QImage shown = ReadThumbnailFile(path);
  fuzz::Expect(shown.isNull() || fuzz::Inside(shown.size(), kThumbnailSide),
               "a grid square holds at most 100 x 100");
  return 0;
}
