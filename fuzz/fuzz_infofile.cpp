// The information file reader, and a save of what it read reading back the same.
#include <tuple>

#include "core/albumstate.h"
#include "core/infofile.h"
#include "core/modquillmont.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  PhotoNames = {"", "fuzz.jpg"};
  gAlbumState = AlbumState{};
  fuzz::WriteBytes(InfoFolder + "fuzz.jpg.info", data, size);
  fuzz::Expect(LoadImageInfo(1, nullptr), "an existing file must read");
  const AlbumState first = gAlbumState;
  fuzz::Expect(SaveImageInfo(1), "saving what was read");
  gAlbumState = AlbumState{};
  fuzz::Expect(LoadImageInfo(1, nullptr), "the saved file must read");
  // The media type is left out: it follows the first line that starts "PhotoPath",
  // whatever its separator, which the save does not keep.
  auto kept = [](const AlbumState& a) {
    return std::tie(a.PhotoPath, a.Title, a.Photographer, a.Year, a.People, a.Place, a.Event, a.Keywords,
                    a.ImageWidth, a.ImageHeight);
  };
  fuzz::Expect(kept(gAlbumState) == kept(first), "what was read survives a save");
  return 0;
}
