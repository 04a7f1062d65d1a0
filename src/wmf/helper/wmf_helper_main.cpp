// quillmont-wmf: draws one WMF with libwmf's gd device, in a process of its own,
// so that a file that crashes or hangs the library never takes the program with
// it. It limits its own memory and processor time before it reads a byte.
//
//   quillmont-wmf MEMORY_BYTES CPU_SECONDS FILE_BYTES size
//   quillmont-wmf MEMORY_BYTES CPU_SECONDS FILE_BYTES render W H
//
// The WMF comes on standard input (at most FILE_BYTES, at most 64 MB). "size"
// writes the picture's size at 96 pixels per inch as two 32-bit numbers; "render"
// writes W x H pixels, 32 bits each (0xFFRRGGBB in the machine's byte order), row
// by row.
#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "wmf/wmf_format.h"

namespace {

enum Exit { kDone = 0, kUsage = 1, kTooLarge = 2, kNotWmf = 3, kLibraryRefused = 4, kWriteFailed = 5, kNoMemory = 6 };

// Room for the whole file is taken at once, so the buffer never grows through a copy.
bool ReadAll(int fd, std::int64_t maxBytes, std::vector<std::uint8_t>& out) {
  out.reserve(std::size_t(maxBytes));
  std::uint8_t chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (std::int64_t(out.size()) + n > maxBytes) return false;
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

// One use of the library on bytes that outlive it.
class Library {
public:
  ~Library() {
    if (api_) wmf_api_destroy(api_);
  }
  bool Open(const std::vector<std::uint8_t>& bytes) {
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_gd_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    return wmf_api_create(&api_, flags, &options) == wmf_E_None &&
           wmf_mem_open(api_, const_cast<unsigned char*>(bytes.data()), long(bytes.size())) == wmf_E_None;
  }
  wmfAPI* api() const { return api_; }

private:
  wmfAPI* api_ = nullptr;
};

// Where libwmf puts a logical point of the file on its device: its scan of the
// file's set-up records followed by that point alone.
std::optional<wmfD_Coord> DevicePoint(const std::vector<std::uint8_t>& bytes, const wmf::Layout& layout,
                                      const wmf::Setup& setup, wmf::Point p) {
  const std::vector<std::uint8_t> probe = wmf::PointProbe(bytes.data(), layout, setup, p);
  Library lib;
  wmfD_Rect found{};
  if (!lib.Open(probe) || wmf_scan(lib.api(), 0, &found) != wmf_E_None) return std::nullopt;
  return found.TL;
}

// The device rectangle of the logical one the picture shows, under the mapping
// the file's own records set up (map mode, window, viewport), as the library
// applies it. That mapping is linear on each axis, so two points probed give it
// everywhere, also at corners past the 16 bits a record holds.
std::optional<wmfD_Rect> DeviceRect(const std::vector<std::uint8_t>& bytes, const wmf::Layout& layout,
                                    const wmf::Setup& setup, const wmf::Rect& shown) {
  constexpr int kStep = 16384;
  const std::optional<wmfD_Coord> a = DevicePoint(bytes, layout, setup, {0, 0});
  const std::optional<wmfD_Coord> b = DevicePoint(bytes, layout, setup, {kStep, kStep});
  if (!a || !b) return std::nullopt;
  const double sx = (double(b->x) - a->x) / kStep, sy = (double(b->y) - a->y) / kStep;
  const double x0 = a->x + sx * shown.from.x, x1 = a->x + sx * shown.to.x;
  const double y0 = a->y + sy * shown.from.y, y1 = a->y + sy * shown.to.y;
  wmfD_Rect r;
  r.TL.x = float(std::min(x0, x1)), r.BR.x = float(std::max(x0, x1));
  r.TL.y = float(std::min(y0, y1)), r.BR.y = float(std::max(y0, y1));
  const bool usable = std::isfinite(r.TL.x) && std::isfinite(r.BR.x) && std::isfinite(r.TL.y) &&
                      std::isfinite(r.BR.y) && r.TL.x < r.BR.x && r.TL.y < r.BR.y;
  return usable ? std::optional<wmfD_Rect>(r) : std::nullopt;
}

// The picture shows the rectangle its records or its frame make (ShownRect) where
// the library maps it; a rectangle that misses the drawing entirely (a header that
// lies) gives way to the drawing's extent, and so does a plain picture without one.
wmfD_Rect Shown(const std::vector<std::uint8_t>& bytes, const wmf::Layout& layout,
                const std::optional<wmf::Setup>& setup, const wmfD_Rect& drawn) {
  const std::optional<wmf::Rect> shown = setup ? wmf::ShownRect(layout, *setup) : std::nullopt;
  const std::optional<wmfD_Rect> f = shown ? DeviceRect(bytes, layout, *setup, *shown) : std::nullopt;
  if (!f) return drawn;
  const bool nothingDrawn = !(drawn.TL.x < drawn.BR.x) || !(drawn.TL.y < drawn.BR.y);
  const bool meets = f->TL.x < drawn.BR.x && drawn.TL.x < f->BR.x && f->TL.y < drawn.BR.y && drawn.TL.y < f->BR.y;
  return meets || nothingDrawn ? *f : drawn;
}

int Run(int argc, char** argv) {
  if (argc < 5) return kUsage;
  const std::string mode = argv[4];
  if (!((mode == "size" && argc == 5) || (mode == "render" && argc == 7))) return kUsage;
  Limit(RLIMIT_AS, rlim_t(std::strtoull(argv[1], nullptr, 10)));
  Limit(RLIMIT_CPU, rlim_t(std::strtoull(argv[2], nullptr, 10)));
  Limit(RLIMIT_CORE, 0);
  Limit(RLIMIT_FSIZE, 0);
  const std::int64_t fileBytes = std::min<std::int64_t>(std::strtoll(argv[3], nullptr, 10), wmf::kMaxFileBytes);
  long width = 0, height = 0;
  if (mode == "render") {
    width = std::strtol(argv[5], nullptr, 10);
    height = std::strtol(argv[6], nullptr, 10);
    if (width < 1 || height < 1 || width > 1 << 20 || height > 1 << 20) return kUsage;
  }
  if (fileBytes < 0) return kUsage;

  std::vector<std::uint8_t> bytes;
  if (!ReadAll(STDIN_FILENO, fileBytes, bytes)) return kTooLarge;
  const std::optional<wmf::Layout> layout = wmf::ParseStart(bytes.data(), bytes.size());
  if (!layout) return kNotWmf;
  const std::optional<wmf::Setup> setup = wmf::ReadSetup(bytes.data(), bytes.size(), *layout);

  Library lib;
  wmfD_Rect drawn{};
  if (!lib.Open(bytes) || wmf_scan(lib.api(), 0, &drawn) != wmf_E_None) return kLibraryRefused;

  if (mode == "size") {
    std::uint32_t size[2] = {0, 0};
    if (layout->placeable) {
      const wmf::Pixels p = wmf::PlaceableSize(*layout);
      size[0] = std::uint32_t(p.width), size[1] = std::uint32_t(p.height);
    } else if (setup && wmf::ShownRect(*layout, *setup)) {
      const wmf::Pixels p = wmf::PlainWindowSize(*setup);
      size[0] = std::uint32_t(p.width), size[1] = std::uint32_t(p.height);
    } else if (wmf_display_size(lib.api(), &size[0], &size[1], wmf::kPixelsPerInch, wmf::kPixelsPerInch) !=
               wmf_E_None) {
      return kLibraryRefused;
    }
    if (size[0] == 0 || size[1] == 0) return kLibraryRefused;
    return WriteAll(STDOUT_FILENO, size, sizeof size) ? kDone : kWriteFailed;
  }

  wmf_gd_t* device = WMF_GD_GetData(lib.api());
  device->type = wmf_gd_image;
  device->width = unsigned(width);
  device->height = unsigned(height);
  device->bbox = Shown(bytes, *layout, setup, drawn);
  wmfD_Rect played = drawn;  // wmf_play writes what it drew here
  if (wmf_play(lib.api(), 0, &played) != wmf_E_None || !device->gd_image) return kLibraryRefused;
  int* pixels = wmf_gd_image_pixels(device->gd_image);
  if (!pixels) return kLibraryRefused;
  // gd keeps 7 bits of transparency where 0 is opaque; the drawing is opaque.
  const std::size_t count = std::size_t(width) * std::size_t(height);
  auto* out = reinterpret_cast<std::uint32_t*>(pixels);
  for (std::size_t i = 0; i < count; ++i) out[i] = 0xFF000000u | (out[i] & 0xFFFFFFu);
  return WriteAll(STDOUT_FILENO, out, count * 4) ? kDone : kWriteFailed;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
}
