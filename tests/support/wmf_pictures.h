#pragma once
// The WMF pictures the tests read: one drawing with every kind of record the
// readers meet (filled rectangles, polygons, lines, text), placeable or plain.
#include <QImage>
#include <string>

#include "support/wmf_writer.h"

// 2880 x 1440 units drawn: at 1440 an inch that is 192 x 96 pixels. A red
// rectangle fills the top-left quarter, a green triangle stands in the top right,
// a blue line runs across near the bottom and black text sits right of the middle.
inline WmfWriter SampleDrawing() {
  WmfWriter w;
  w.WindowOrg(0, 0).WindowExt(2880, 1440);
  w.Pen(0, 0, 5).Brush(WmfWriter::Colour(255, 0, 0)).Rectangle(0, 0, 1440, 720);
  w.Brush(WmfWriter::Colour(0, 160, 0)).Polygon({{1600, 60}, {2800, 60}, {2200, 700}});
  w.Pen(WmfWriter::Colour(0, 0, 255), 60).Line(60, 1200, 2820, 1200);
  w.Font(300, "Helvetica", 700).TextColour(0).TransparentText().Text(1600, 800, "WMF");
  return w;
}
inline std::string SamplePlaceable() { return SampleDrawing().Placeable(0, 0, 2880, 1440, 1440); }

// A picture whose frame claims 32767 x 16000 inches: billions of pixels wide.
inline std::string HugePlaceable() { return SampleDrawing().Placeable(0, 0, 32767, 16000, 1); }

// The pixel at (x, y) of 192 x 96 in a picture of another size.
inline QRgb SampleAt(const QImage& img, int x, int y) {
  return img.pixel(x * img.width() / 192, y * img.height() / 96);
}

// Three filled rectangles at known places of the logical rectangle a picture
// shows, from (x0, y0) at its top left to (x1, y1) at its bottom right (y1 < y0
// where y grows upwards): red in the top-left quarter, green in the top-right
// one, blue across the middle below them, ending short of the bottom.
struct ShownRect {
  int x0, y0, x1, y1;
};
inline WmfWriter Quarters(WmfWriter w, ShownRect s) {
  const auto x = [&](double f) { return int(s.x0 + f * (s.x1 - s.x0)); };
  const auto y = [&](double f) { return int(s.y0 + f * (s.y1 - s.y0)); };
  w.Pen(0, 0, 5).Brush(WmfWriter::Colour(255, 0, 0)).Rectangle(x(0), y(0), x(0.5), y(0.5));
  w.Brush(WmfWriter::Colour(0, 160, 0)).Rectangle(x(0.5), y(0), x(1), y(0.5));
  w.Brush(WmfWriter::Colour(0, 0, 255)).Rectangle(x(0.25), y(0.5), x(0.75), y(0.85));
  return w;
}
// Where Quarters puts its colours, as fractions of the picture, and paper around.
struct QuarterPoint {
  double fx, fy;
  QRgb colour;
};
inline const QuarterPoint kQuarterPoints[] = {{0.25, 0.25, qRgb(255, 0, 0)}, {0.75, 0.25, qRgb(0, 160, 0)},
                                              {0.5, 0.7, qRgb(0, 0, 255)},   {0.1, 0.75, qRgb(255, 255, 255)},
                                              {0.5, 0.95, qRgb(255, 255, 255)}};
