// A WMF through the readers: its header, its thumbnail, the enlarged view at its
// fit. libwmf runs in the helper program, so what it does on these bytes costs
// at most the helper; the plugin's own parsing and piping run in this process.
#include <QFile>

#include "core/modquillmont.h"
#include "core/picture_decode.h"
#include "core/thumbnail_maker.h"
#include "core/viewer_rules.h"
#include "harness.h"
#include "platform/runtime_error.h"
#include "wmf/wmf_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  const std::string path = PhotosFolder + "fuzz.wmf";
  fuzz::WriteBytes(path, data, size);

  pictures::Header h;
  QFile file;
  if (pictures::OpenPictureFile(file, path)) h = pictures::ReadHeader(file);
  const std::optional<wmf::Layout> layout = wmf::ParseStart(data, size);
  if (layout && layout->placeable) {
    const wmf::Pixels p = wmf::PlaceableSize(*layout);
    fuzz::Expect(h.format == "wmf" && h.vector && h.size == QSize(p.width, p.height),
                 "a placeable WMF is its frame at 96 pixels an inch");
  }
  // The helper's own reading of the set-up records, here where the sanitizers see it.
  if (const std::optional<wmf::Setup> setup = layout ? wmf::ReadSetup(data, size, *layout) : std::nullopt) {
    fuzz::Expect(setup->drawingAt >= layout->recordsOffset && setup->drawingAt < size, "drawing starts inside");
    const std::vector<std::uint8_t> probe = wmf::PointProbe(data, *layout, *setup, {-32768, 32767});
    fuzz::Expect(wmf::ParseStart(probe.data(), probe.size()).has_value(), "the probe is a WMF");
    if (!layout->placeable && wmf::ShownRect(*layout, *setup)) {
      const wmf::Pixels p = wmf::PlainWindowSize(*setup);
      fuzz::Expect(p.width >= 1 && p.height >= 1, "a window is at least a pixel");
    }
  }

  const ThumbnailPicture t = LoadThumbnailPicture(path);
  fuzz::Expect(fuzz::Inside(t.box, kThumbnailSide), "box inside 100 x 100");
  fuzz::Expect(!t.loaded || t.picture.size() == t.box, "picture drawn into its box");

  try {
    const viewer::DecodedPicture v = viewer::ReadPicture(
        path, [](QSize s) { return viewer::Reduction(viewer::FitZoomLevel(s, viewer::kAreaWidth, viewer::kAreaHeight)); });
    fuzz::Expect(!h.vector || (v.image.width() <= viewer::kAreaWidth && v.image.height() <= viewer::kAreaHeight),
                 "a drawing is drawn at the size the view shows");
  } catch (const qm::RuntimeError&) {
  }
  return 0;
}
