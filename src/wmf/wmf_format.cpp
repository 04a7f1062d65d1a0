#include "wmf/wmf_format.h"

#include <algorithm>
#include <cstdlib>

namespace wmf {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableBytes = 22;
constexpr std::size_t kStandardBytes = 18;
constexpr int kEndOfFile = 0x0000;
constexpr int kSetMapMode = 0x0103;
constexpr int kSetWindowOrg = 0x020B;
constexpr int kSetWindowExt = 0x020C;
constexpr int kOffsetWindowOrg = 0x020F;
constexpr int kScaleWindowExt = 0x0410;
constexpr int kExtFloodFill = 0x0548;

// Records that draw nothing, so a walk to the first drawing passes them: the
// viewport's, the modes and colours, objects made, chosen and deleted, palettes,
// clipping, the current position, saving the state, escapes.
bool SetsUpOnly(int function) {
  switch (function) {
    case 0x020D: case 0x020E: case 0x0211: case 0x0412:  // viewport
    case 0x0102: case 0x0104: case 0x0105: case 0x0106: case 0x0107: case 0x0108:
    case 0x0201: case 0x0209: case 0x020A: case 0x012E: case 0x0231: case 0x0149:
    case 0x02FA: case 0x02FB: case 0x02FC: case 0x00F7: case 0x01F9: case 0x0142: case 0x06FF:
    case 0x012D: case 0x0234: case 0x0035: case 0x01F0: case 0x0037: case 0x0139: case 0x0436:
    case 0x0416: case 0x0415: case 0x012C: case 0x0220:  // clipping
    case 0x0214: case 0x001E: case 0x0127: case 0x0626:  // move, save, restore, escape
      return true;
    default:
      return false;
  }
}

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

std::optional<Setup> ReadSetup(const std::uint8_t* data, std::size_t size, const Layout& layout) {
  Setup s;
  std::size_t at = layout.recordsOffset;
  // Every record is at least three words, so the walk ends within size / 6 steps.
  while (at + 6 <= size) {
    const std::uint64_t words = U32(data + at);
    const int function = U16(data + at + 4);
    if (words < 3 || words * 2 > size - at) return std::nullopt;
    const std::uint8_t* p = data + at + 6;
    const auto par = [&](std::uint64_t i) { return i + 3 < words ? int(S16(p + 2 * i)) : 0; };
    switch (function) {
      case kSetMapMode: s.mapMode = par(0) & 0xFFFF; break;
      case kSetWindowOrg: s.windowOrigin = {par(1), par(0)}; break;
      case kOffsetWindowOrg: s.windowOrigin = {s.windowOrigin.x + par(1), s.windowOrigin.y + par(0)}; break;
      case kSetWindowExt: s.windowExtent = {par(1), par(0)}; break;
      case kScaleWindowExt:
        // As libwmf scales it; a division by zero makes it refuse the file.
        if (par(2) != 0 && par(0) != 0)
          s.windowExtent = {int(double(s.windowExtent.x) * par(3) / par(2)), int(double(s.windowExtent.y) * par(1) / par(0))};
        break;
      default:
        if (function == kEndOfFile || !SetsUpOnly(function)) {
          s.drawingAt = at;
          return s;
        }
    }
    s.largestRecord = std::max(s.largestRecord, std::uint32_t(words));
    at += std::size_t(words) * 2;
  }
  return std::nullopt;
}

std::optional<Rect> ShownRect(const Layout& layout, const Setup& setup) {
  const int mode = setup.mapMode;
  const bool scaled = mode == kMapAnisotropic || mode == kMapIsotropic || (layout.placeable && mode == 0);
  const Point& o = setup.windowOrigin;
  const Point& e = setup.windowExtent;
  if (scaled && e.x != 0 && e.y != 0) return Rect{o, {o.x + e.x, o.y + e.y}};
  if (layout.placeable) return Rect{{layout.left, layout.top}, {layout.right, layout.bottom}};
  return std::nullopt;
}

Pixels PlainWindowSize(const Setup& setup) {
  const double w = std::abs(double(setup.windowExtent.x)), h = std::abs(double(setup.windowExtent.y));
  const double unitsPerInch = w * h < 1024.0 * 1024.0 ? 72 : 1440;
  return {std::max(1, int(w * kPixelsPerInch / unitsPerInch)), std::max(1, int(h * kPixelsPerInch / unitsPerInch))};
}

std::vector<std::uint8_t> PointProbe(const std::uint8_t* data, const Layout& layout, const Setup& setup, Point p) {
  std::vector<std::uint8_t> out(data, data + setup.drawingAt);
  const auto put = [&](int word) { out.insert(out.end(), {std::uint8_t(word & 0xFF), std::uint8_t((word >> 8) & 0xFF)}); };
  // An exterior flood fill (mode, colour, y, x): libwmf's scan takes its point
  // alone, with no pen around it.
  for (int word : {8, 0, kExtFloodFill, 0, 0, 0, p.y, p.x, 3, 0, kEndOfFile}) put(word);
  // The standard header's file size and largest record, in words.
  std::uint8_t* h = out.data() + layout.recordsOffset - kStandardBytes;
  const std::uint32_t fileWords = std::uint32_t((out.size() - (layout.recordsOffset - kStandardBytes)) / 2);
  const std::uint32_t largest = std::max<std::uint32_t>(setup.largestRecord, 8);
  for (int i = 0; i < 4; ++i) {
    h[6 + i] = std::uint8_t(fileWords >> (8 * i));
    h[12 + i] = std::uint8_t(largest >> (8 * i));
  }
  return out;
}

}  // namespace wmf
