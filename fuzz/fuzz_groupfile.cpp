// The group list reader: whatever the bytes, the browsing state stays consistent.
#include "core/albumstate.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  ResetBrowsingState();
  fuzz::WriteBytes(SlideGroupsFolder + "fuzz.2001.lst", data, size);
  fuzz::Expect(ReadGroupFile("fuzz.2001.lst"), "an existing list must read");
  const auto count = std::size_t(gAlbumState.PhotoCount);
  fuzz::Expect(PhotoNames.size() == count + 1 && SelectedFlags.size() == count + 1, "one entry a line");
  fuzz::Expect(PhotoNames[0].empty() && gAlbumState.CurrentGroupName == "fuzz", "placeholder and group name");
  fuzz::Expect(VScroll1State.Min <= VScroll1State.Value && VScroll1State.Value <= VScroll1State.Max,
               "page inside its range");
  return 0;
}
