#pragma once
// The start of a WMF as this program reads it itself, before any library sees the
// file: the optional placeable header (its frame and units per inch) and the
// standard header. Plain C++, shared by the image plugin and the render helper.
#include <cstddef>
#include <cstdint>
#include <optional>

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
// The window origin the first SetWindowOrg record of the file sets, or nothing
// when no record before the end sets one.
std::optional<Point> FirstWindowOrigin(const std::uint8_t* data, std::size_t size, const Layout& layout);

}  // namespace wmf
