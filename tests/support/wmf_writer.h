#pragma once
// WMF files written record by record, plain or placeable, for the tests and the
// fuzz seeds. Coordinates are the file's own logical units; every object made is
// selected at once and numbered in the order made.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class WmfWriter {
public:
  static std::uint32_t Colour(int r, int g, int b) { return std::uint32_t(r | g << 8 | b << 16); }
  static constexpr int kAnisotropic = 8;

  // Any record: its function and its parameter words (then raw bytes, padded).
  WmfWriter& Record(int function, const std::vector<int>& words, const std::string& raw = {}) {
    std::string body;
    for (int w : words) Put16(body, w);
    body += raw;
    if (body.size() % 2) body += '\0';
    std::string r;
    Put32(r, std::uint32_t(3 + body.size() / 2));
    Put16(r, function);
    records_.push_back(r + body);
    return *this;
  }
  WmfWriter& MapMode(int mode) { return Record(0x0103, {mode}); }
  WmfWriter& WindowOrg(int x, int y) { return Record(0x020B, {y, x}); }
  WmfWriter& WindowExt(int w, int h) { return Record(0x020C, {h, w}); }
  WmfWriter& ViewportOrg(int x, int y) { return Record(0x020D, {y, x}); }
  WmfWriter& ViewportExt(int w, int h) { return Record(0x020E, {h, w}); }
  WmfWriter& Pen(std::uint32_t colour, int width, int style = 0) {
    return Object(0x02FA, {style, width, 0, int(colour & 0xFFFF), int(colour >> 16)});
  }
  WmfWriter& Brush(std::uint32_t colour) { return Object(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0}); }
  WmfWriter& Rectangle(int left, int top, int right, int bottom) { return Record(0x041B, {bottom, right, top, left}); }
  WmfWriter& Ellipse(int left, int top, int right, int bottom) { return Record(0x0418, {bottom, right, top, left}); }
  WmfWriter& Line(int x1, int y1, int x2, int y2) { return Record(0x0214, {y1, x1}).Record(0x0213, {y2, x2}); }
  WmfWriter& Polygon(const std::vector<std::pair<int, int>>& points) {
    std::vector<int> words{int(points.size())};
    for (const auto& [x, y] : points) words.insert(words.end(), {x, y});
    return Record(0x0324, words);
  }
  // A font of the given height in logical units, by its face name.
  WmfWriter& Font(int height, const std::string& face, int weight = 400) {
    // Eight flag bytes (italic, charset, quality...) at 0, then the face in 32.
    std::string raw = std::string(8, '\0') + face.substr(0, 31);
    raw.resize(8 + 32, '\0');
    return Object(0x02FB, {height, 0, 0, 0, weight}, raw);
  }
  WmfWriter& TextColour(std::uint32_t colour) { return Record(0x0209, {int(colour & 0xFFFF), int(colour >> 16)}); }
  WmfWriter& TransparentText() { return Record(0x0102, {1}); }
  WmfWriter& Text(int x, int y, const std::string& text) {
    std::string raw = text;
    if (raw.size() % 2) raw += '\0';
    std::string tail;
    Put16(tail, y);
    Put16(tail, x);
    return Record(0x0521, {int(text.size())}, raw + tail);
  }

  // The file without a placeable header: its size is what libwmf finds drawn.
  std::string Plain() const {
    std::string body;
    std::size_t largest = 3;
    for (const std::string& r : records_) {
      body += r;
      largest = std::max(largest, r.size() / 2);
    }
    body += std::string("\x03\0\0\0\0\0", 6);  // the end record
    std::string h;
    for (int w : {1, 9, 0x0300}) Put16(h, w);
    Put32(h, std::uint32_t(9 + body.size() / 2));
    Put16(h, objects_);
    Put32(h, std::uint32_t(largest));
    Put16(h, 0);
    return h + body;
  }
  // The file with a placeable header: the frame in logical units, units an inch.
  std::string Placeable(int left, int top, int right, int bottom, int unitsPerInch) const {
    std::string p;
    Put32(p, 0x9AC6CDD7);
    for (int w : {0, left, top, right, bottom, unitsPerInch, 0, 0}) Put16(p, w);
    int sum = 0;
    for (std::size_t i = 0; i < 20; i += 2) sum ^= std::uint8_t(p[i]) | std::uint8_t(p[i + 1]) << 8;
    Put16(p, sum);
    return p + Plain();
  }

private:
  WmfWriter& Object(int function, const std::vector<int>& words, const std::string& raw = {}) {
    Record(function, words, raw);
    return Record(0x012D, {objects_++});
  }
  static void Put16(std::string& s, int v) { s += char(v & 0xFF), s += char((v >> 8) & 0xFF); }
  static void Put32(std::string& s, std::uint32_t v) { Put16(s, int(v & 0xFFFF)), Put16(s, int(v >> 16)); }

  std::vector<std::string> records_;
  int objects_ = 0;
};
