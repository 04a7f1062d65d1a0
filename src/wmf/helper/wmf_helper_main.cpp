// quillmont-wmf: draws one WMF with libwmf's gd device, in a process of its own,
// so that a file that crashes or hangs the library never takes the program with
// it. It limits its own memory and processor time before it reads a byte.
//
//   quillmont-wmf size            MEMORY_BYTES CPU_SECONDS
//   quillmont-wmf render W H      MEMORY_BYTES CPU_SECONDS
//
// The WMF comes on standard input (at most 64 MB). "size" writes the picture's
// size at 96 pixels per inch as two 32-bit numbers; "render" writes W x H pixels,
// 32 bits each (0xFFRRGGBB in the machine's byte order), row by row.
#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "wmf/wmf_format.h"

namespace {

enum Exit { kDone = 0, kUsage = 1, kTooLarge = 2, kNotWmf = 3, kLibraryRefused = 4, kWriteFailed = 5, kNoMemory = 6 };

// Room for the largest file is taken at once (the system backs only what is
// used), so the buffer never grows through a copy.
bool ReadAll(int fd, std::vector<std::uint8_t>& out) {
  out.reserve(std::size_t(wmf::kMaxFileBytes));
  std::uint8_t chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (std::int64_t(out.size()) + n > wmf::kMaxFileBytes) return false;
    out.insert(out.end(), chunk, chunk + n);
  }
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= std::size_t(n);
  }
  return true;
}

void Limit(int resource, rlim_t value) {
  const rlimit r{value, value};
  setrlimit(resource, &r);
}

// A placeable picture shows its frame, placed as libwmf places the drawing: its
// units from the window origin, at 72 device units an inch. A frame that misses
// the drawing entirely (a header that lies) gives way to the drawing's extent.
wmfD_Rect Frame(const std::vector<std::uint8_t>& bytes, const wmf::Layout& l, const wmfD_Rect& drawn) {
  if (!l.placeable) return drawn;
  const wmf::Point org = wmf::FirstWindowOrigin(bytes.data(), bytes.size(), l).value_or(wmf::Point{});
  const float scale = 72.0f / float(l.unitsPerInch);
  wmfD_Rect f;
  f.TL.x = float(std::min(l.left, l.right) - org.x) * scale;
  f.TL.y = float(std::min(l.top, l.bottom) - org.y) * scale;
  f.BR.x = float(std::max(l.left, l.right) - org.x) * scale;
  f.BR.y = float(std::max(l.top, l.bottom) - org.y) * scale;
  const bool meets = f.TL.x < drawn.BR.x && drawn.TL.x < f.BR.x && f.TL.y < drawn.BR.y && drawn.TL.y < f.BR.y;
  return meets ? f : drawn;
}

int Run(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int limitsAt = mode == "render" ? 4 : 2;
  if ((mode != "size" && mode != "render") || argc != limitsAt + 2) return kUsage;
  Limit(RLIMIT_AS, rlim_t(std::strtoull(argv[limitsAt], nullptr, 10)));
  Limit(RLIMIT_CPU, rlim_t(std::strtoull(argv[limitsAt + 1], nullptr, 10)));
  Limit(RLIMIT_CORE, 0);
  Limit(RLIMIT_FSIZE, 0);
  long width = 0, height = 0;
  if (mode == "render") {
    width = std::strtol(argv[2], nullptr, 10);
    height = std::strtol(argv[3], nullptr, 10);
    if (width < 1 || height < 1 || width > 1 << 20 || height > 1 << 20) return kUsage;
  }

  std::vector<std::uint8_t> bytes;
  if (!ReadAll(STDIN_FILENO, bytes)) return kTooLarge;
  const std::optional<wmf::Layout> layout = wmf::ParseStart(bytes.data(), bytes.size());
  if (!layout) return kNotWmf;

  wmfAPI* api = nullptr;
  wmfAPI_Options options;
  std::memset(&options, 0, sizeof options);
  options.function = wmf_gd_function;
  const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
  if (wmf_api_create(&api, flags, &options) != wmf_E_None) return kLibraryRefused;
  wmfD_Rect drawn{};
  if (wmf_mem_open(api, bytes.data(), long(bytes.size())) != wmf_E_None || wmf_scan(api, 0, &drawn) != wmf_E_None)
    return kLibraryRefused;

  if (mode == "size") {
    std::uint32_t size[2] = {0, 0};
    if (layout->placeable) {
      const wmf::Pixels p = wmf::PlaceableSize(*layout);
      size[0] = std::uint32_t(p.width), size[1] = std::uint32_t(p.height);
    } else if (wmf_display_size(api, &size[0], &size[1], wmf::kPixelsPerInch, wmf::kPixelsPerInch) != wmf_E_None) {
      return kLibraryRefused;
    }
    if (size[0] == 0 || size[1] == 0) return kLibraryRefused;
    return WriteAll(STDOUT_FILENO, size, sizeof size) ? kDone : kWriteFailed;
  }

  wmf_gd_t* device = WMF_GD_GetData(api);
  device->type = wmf_gd_image;
  device->width = unsigned(width);
  device->height = unsigned(height);
  device->bbox = Frame(bytes, *layout, drawn);
  wmfD_Rect played = drawn;  // wmf_play writes what it drew here
  if (wmf_play(api, 0, &played) != wmf_E_None || !device->gd_image) return kLibraryRefused;
  int* pixels = wmf_gd_image_pixels(device->gd_image);
  if (!pixels) return kLibraryRefused;
  // gd keeps 7 bits of transparency where 0 is opaque; the drawing is opaque.
  const std::size_t count = std::size_t(width) * std::size_t(height);
  auto* out = reinterpret_cast<std::uint32_t*>(pixels);
  for (std::size_t i = 0; i < count; ++i) out[i] = 0xFF000000u | (out[i] & 0xFFFFFFu);
  if (!WriteAll(STDOUT_FILENO, out, count * 4)) return kWriteFailed;
  wmf_api_destroy(api);
  return kDone;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
}
