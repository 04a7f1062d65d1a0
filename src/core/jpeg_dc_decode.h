#pragma once
// A progressive JPEG at 1/8 of its size from its DC coefficients alone.
//
// At 1/8 every 8 x 8 block becomes one pixel, its mean, which is the block's DC
// coefficient; the AC coefficients do not change it. A progressive file sends the
// DC of every component in its first scans, so the decode stops reading once the
// last DC scan is complete: the picture is the one a whole decode at 1/8 gives.
// Block smoothing, which guesses AC coefficients while they are missing, is off.
#include <QImage>
#include <cstdint>
#include <string>

#include "core/picture_decode.h"

namespace pictures {

// Whether a picture of this header is one this decode takes: a JPEG of more than
// one scan with one (grey) or three (colour) components.
bool JpegDcSuits(const Header& h);

enum class JpegDcOutcome {
  Decoded,   // out holds the picture at 1/8
  Unsuited,  // not a progressive picture matching the header; nothing decoded
  Failed,    // the file is damaged beyond reading, or more than memoryLimit is needed
};

// Reads the file through the library's source manager, a buffer at a time, never
// whole. Fails rather than take more than memoryLimit bytes in the library, and on
// a file of more scans than any encoder writes before its DC is complete.
JpegDcOutcome DecodeJpegDc(const std::string& path, const Header& expected, std::int64_t memoryLimit, QImage& out);

}  // namespace pictures
