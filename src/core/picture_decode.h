#pragma once
// What a picture costs to decode, known from its header before a pixel is decoded.
// The file's size says nothing: 144 bytes of JPEG can claim 64798 x 10518 pixels,
// and the JPEG library keeps every coefficient of a progressive picture in memory
// even when it decodes at 1/8. Every reader of pictures checks this first.
#include <QByteArray>
#include <QSize>
#include <cstdint>

#include <string>

#include "core/picture_orientation.h"

class QFile;
class QIODevice;

namespace pictures {

// Qt refuses to make any decoded picture larger than this (the setting is
// process-wide). The enlarged view holds one picture at full size; 1 GiB holds 268
// million pixels at four bytes, past any camera and most stitched panoramas.
constexpr int kAllocationLimitMb = 1024;
constexpr std::int64_t kViewerBudget = std::int64_t(kAllocationLimitMb) << 20;
// Sets Qt's limit, once; every decoder calls it before it reads.
void UseAllocationLimit();
// The C library gives each thread that allocates at once a memory pool of its own
// and keeps what is freed there; with one pool per decoder thread, memory would
// grow with the threads, not with the decodes in hand. Two pools serve every
// thread (measured as fast with eight decoders). Process-wide, set once.
constexpr int kMemoryPools = 2;
void ShareMemoryPools();
// The runtime's error for a picture too large to hold.
constexpr int kErrOutOfMemory = 7;
constexpr const char* kOutOfMemoryText = "Out of memory";

struct Header {
  QByteArray format;  // decided by content; empty when no reader knows the bytes
  QSize size;         // as stored; invalid when the header gives none
  int orientation = 1;  // how the stored pixels stand upright (picture_orientation.h)
  int bytesPerPixel = 4;
  bool jpeg = false;
  // Drawn at whatever size is asked for (a WMF), so a decode costs that size only.
  bool vector = false;
  std::int64_t fileBytes = -1;  // a drawing's, for the helper that draws it; -1 unknown
  // The JPEG library buffers every coefficient of a progressive or multi-scan
  // picture, whatever the reduction.
  bool allCoefficients = false;
  std::int64_t coefficientBytes = 0;
  int components = 0;
};

// Opens a regular file for reading by its name's bytes (which need not be valid
// UTF-8); a folder, a pipe or a device is refused without blocking.
bool OpenPictureFile(QFile& file, const std::string& path);
// The same as a descriptor of the caller's (-1 when refused).
int OpenPictureDescriptor(const std::string& path);

// JPEG markers (the byte after 0xFF): a frame header (SOFn), and a progressive one.
bool IsJpegFrameMarker(int m);
bool IsProgressiveFrameMarker(int m);

// Reads the header of the picture on device by its content, without decoding, and
// puts the device back at its start. Reads at most a few megabytes.
Header ReadHeader(QIODevice& device);

// The JPEG library decodes at n/8, n = 1..8: the size it gives at n.
QSize JpegScaledSize(QSize size, int eighths);
// The smallest n whose size is at least atLeast both ways (8 when none is).
int JpegEighthsFor(QSize size, QSize atLeast);
// The size to ask Qt's reader for so that it decodes at exactly n/8 and rescales
// at most once: the wanted size itself when the reader then picks n/8 (it picks
// the smallest n/8 that covers what is asked), else the n/8 size itself when the
// division comes out even.
QSize JpegRequestFor(QSize size, int eighths, QSize wanted = QSize());

// The most memory a decode takes: the picture as decoded (at n/8 for a JPEG, 1 for
// whole size, at `scaled` for a drawing), the copy scaled to `scaled` (stored
// orientation) when that differs, the copy a quarter turn makes, the library's
// coefficient and row buffers. -1 when the header gives no size.
std::int64_t DecodeBytes(const Header& h, int eighths, QSize scaled);

// What a decode costs the machine besides the program's own memory: the helper
// process that draws a WMF (at `scaled`, else whole), at its memory limit; 0 for
// every other format.
std::int64_t HelperBytes(const Header& h, QSize scaled);
// The same for reading the header of the file at path (a plain WMF's size is found
// by the helper); 0 when it cannot be opened.
std::int64_t HeaderHelperBytes(const std::string& path);

}  // namespace pictures
