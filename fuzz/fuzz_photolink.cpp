// The photo link reader and the check of the photo it names.
#include <string>

#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  fuzz::WriteBytes(InfoFolder + "fuzz.jpg.info", data, size);
  // An empty link ("PhotoPath=") is returned as it is, and names no photo.
  const std::string link = GetPhotoLink("fuzz.jpg.info");
  fuzz::Expect(!CheckPhotoLink(link) || !link.empty(), "an empty link names no photo");
  return 0;
}
