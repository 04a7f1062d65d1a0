#pragma once
// A WMF as this program reads it itself, before any library sees the file: the
// optional placeable header (its frame and units per inch), the standard header,
// and the records that set up the mapping before anything is drawn. Plain C++,
// shared by the image plugin and the render helper.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace wmf {

// A larger file is no picture of ours; none is read whole into the program.
constexpr std::int64_t kMaxFileBytes = std::int64_t(64) << 20;
// The placeable header (22 bytes) and the standard header (18 bytes).
constexpr std::size_t kHeaderBytes = 40;
// Pictures are shown at 96 pixels per inch (15 twips a pixel).
constexpr int kPixelsPerInch = 96;

struct Layout {
  bool placeable = false;
  // Placeable only: the picture's frame in the file's own units, and how many of
  // those make an inch.
  int left = 0, top = 0, right = 0, bottom = 0;
  int unitsPerInch = 0;
  // Where the first record starts.
  std::size_t recordsOffset = 0;
};

// The layout of the WMF these bytes start with (up to kHeaderBytes of it), or
// nothing when they start no WMF: a placeable header needs an empty-free frame
// and units per inch; both kinds need the standard header (type 1 or 2, nine
// words, version 1 or 3).
std::optional<Layout> ParseStart(const std::uint8_t* data, std::size_t size);

struct Pixels {
  int width = 0, height = 0;
};
// A placeable picture's size at 96 pixels per inch: its frame at its units per
// inch, rounded to the nearest pixel, at least one.
Pixels PlaceableSize(const Layout& layout);

struct Point {
  int x = 0, y = 0;
};

// Map modes the picture's records may set.
constexpr int kMapText = 1, kMapIsotropic = 7, kMapAnisotropic = 8;

// How the records before the first that draws set the picture up: the map mode
// and the window (logical origin and extent) they leave in effect.
struct Setup {
  std::size_t drawingAt = 0;  // where the first record that draws (or the end) starts
  int mapMode = 0;            // 0 when no record sets one
  Point windowOrigin;
  Point windowExtent;  // 0 x 0 when no record sets one; either side may be negative
  std::uint32_t largestRecord = 3;  // in words, of the records before drawingAt
};
// Nothing when the records run past the file before anything is drawn.
std::optional<Setup> ReadSetup(const std::uint8_t* data, std::size_t size, const Layout& layout);

// The logical rectangle the picture shows, corners first and opposite. The window
// the records set, where the map mode scales it to the picture (anisotropic and
// isotropic modes, or a placeable file's own mode); else a placeable file's frame;
// else nothing: a plain picture shows what it draws.
struct Rect {
  Point from, to;
};
std::optional<Rect> ShownRect(const Layout& layout, const Setup& setup);

// A plain picture that shows its window: the window's extent at 96 pixels per
// inch, its units taken as libwmf takes those of a plain drawing (points below a
// million square units, twips from there), rounded down, at least one.
Pixels PlainWindowSize(const Setup& setup);

// The file up to its first drawing record, then a flood fill at p and the end: what
// libwmf's scan of it finds drawn is where the library puts p on its device.
std::vector<std::uint8_t> PointProbe(const std::uint8_t* data, const Layout& layout, const Setup& setup, Point p);

}  // namespace wmf
