#include "wmf/wmf_format.h"

#include <algorithm>
#include <cstdlib>

namespace wmf {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableBytes = 22;
constexpr std::size_t kStandardBytes = 18;
constexpr int kSetWindowOrg = 0x020B;
constexpr int kEndOfFile = 0x0000;

std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::int16_t S16(const std::uint8_t* p) { return std::int16_t(U16(p)); }
std::uint32_t U32(const std::uint8_t* p) { return std::uint32_t(U16(p)) | std::uint32_t(U16(p + 2)) << 16; }

int Rounded(int units, int perInch) {
  return std::max(1, int((std::int64_t(units) * kPixelsPerInch + perInch / 2) / perInch));
}

}  // namespace

std::optional<Layout> ParseStart(const std::uint8_t* data, std::size_t size) {
  Layout l;
  if (size >= 4 && U32(data) == kPlaceableKey) {
    if (size < kPlaceableBytes) return std::nullopt;
    l.placeable = true;
    l.left = S16(data + 6);
    l.top = S16(data + 8);
    l.right = S16(data + 10);
    l.bottom = S16(data + 12);
    l.unitsPerInch = U16(data + 14);
    if (l.left == l.right || l.top == l.bottom || l.unitsPerInch == 0) return std::nullopt;
    l.recordsOffset = kPlaceableBytes;
  }
  const std::uint8_t* h = data + l.recordsOffset;
  if (size < l.recordsOffset + kStandardBytes) return std::nullopt;
  const int type = U16(h), words = U16(h + 2), version = U16(h + 4);
  if ((type != 1 && type != 2) || words != 9 || (version != 0x0100 && version != 0x0300)) return std::nullopt;
  l.recordsOffset += std::size_t(words) * 2;
  return l;
}

Pixels PlaceableSize(const Layout& l) {
  return {Rounded(std::abs(l.right - l.left), l.unitsPerInch), Rounded(std::abs(l.bottom - l.top), l.unitsPerInch)};
}

std::optional<Point> FirstWindowOrigin(const std::uint8_t* data, std::size_t size, const Layout& layout) {
  std::size_t at = layout.recordsOffset;
  // Every record is at least three words, so the walk ends within size / 6 steps.
  while (at + 6 <= size) {
    const std::uint64_t words = U32(data + at);
    const int function = U16(data + at + 4);
    if (words < 3 || function == kEndOfFile || words * 2 > size - at) return std::nullopt;
    if (function == kSetWindowOrg && words >= 5) return Point{S16(data + at + 8), S16(data + at + 6)};
    at += std::size_t(words) * 2;
  }
  return std::nullopt;
}

}  // namespace wmf
