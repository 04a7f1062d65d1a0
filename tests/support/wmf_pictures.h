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
