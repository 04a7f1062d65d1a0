// The thumbnail decode of a photo file, reduced and full.
#include "core/modquillmont.h"
#include "core/thumbnail_maker.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  // Named as a JPEG whatever it holds: the decoder goes by content.
  const std::string path = PhotosFolder + "fuzz.jpg";
  fuzz::WriteBytes(path, data, size);
  for (bool reduced : {true, false}) {
    const ThumbnailPicture t = LoadThumbnailPicture(path, reduced);
    fuzz::Expect(t.box.width() >= 1 && t.box.width() <= kThumbnailSide && t.box.height() >= 1 &&
                     t.box.height() <= kThumbnailSide,
                 "box inside 100 x 100");
    fuzz::Expect(!t.loaded || t.picture.size() == t.box, "picture fitted to its box");
  }
  return 0;
}
