#pragma once
// The JPEG library's source of a progressive file's DC: it reads the file a buffer
// at a time and hands the library every marker segment and every DC scan, leaving
// out the scans of AC coefficients (spectral selection starting past 0), which a
// decode at 1/8 does not use. Their bytes are passed over by searching for the next
// marker instead of being entropy-decoded, which is most of a progressive decode.
// Files that are not progressive go through whole.
#include <cstddef>
#include <cstdint>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace pictures {

struct DcSource {
  jpeg_source_mgr pub;  // first: the library sees this
  int fd = -1;
  // Sets up the callbacks; the descriptor is read from where it stands. The library
  // takes &pub as its source once its decompressor is created.
  void Attach(int descriptor);

  // Bytes of the file in hand.
  static constexpr std::size_t kBuffer = 64 << 10;
  unsigned char in[kBuffer];
  std::size_t pos = 0, len = 0;
  bool eof = false;
  // What the library gets.
  unsigned char out[kBuffer];

  enum class Mode { Markers, Segment, Data } mode = Mode::Markers;
  bool keep = true;                // the segment or scan in hand goes to the library
  std::int64_t segmentLeft = 0;    // its bytes not yet passed on or left out
  Mode afterSegment = Mode::Markers;
  bool progressive = false;        // a progressive frame header has gone by
};

}  // namespace pictures
