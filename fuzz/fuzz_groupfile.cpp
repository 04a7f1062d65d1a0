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
  // CR LF, LF and a lone CR each end a line; a last line without one still counts.
  std::size_t lines = size && data[size - 1] != '\r' && data[size - 1] != '\n';
  for (std::size_t i = 0; i < size; ++i)
    lines += data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'));
  const auto count = std::size_t(gAlbumState.PhotoCount);
  fuzz::Expect(count == lines, "one entry a line");
  fuzz::Expect(PhotoNames.size() == count + 1 && SelectedFlags.size() == count + 1, "names and flags for every entry");
  fuzz::Expect(PhotoNames[0].empty() && gAlbumState.CurrentGroupName == "fuzz.2001", "placeholder and group name");
  fuzz::Expect(VScroll1State.Min <= VScroll1State.Value && VScroll1State.Value <= VScroll1State.Max,
               "page inside its range");
  return 0;
}
