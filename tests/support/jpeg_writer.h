#pragma once
// JPEGs as cameras and editors write them, which Qt's writer cannot make: colour at
// full resolution (4:4:4) or grey, progressive or not. Written by libjpeg itself.
#include <QImage>
#include <string>

struct JpegStyle {
  int quality = 90;
  bool progressive = false;
  bool fullColour = false;  // 4:4:4; else colour at half size both ways (4:2:0)
  bool grey = false;        // one component
  int restartInterval = 0;  // MCUs between restart markers; 0: none
};

// The file's bytes; img in any format. Safe on any thread.
std::string LibjpegBytes(const QImage& img, const JpegStyle& style);
