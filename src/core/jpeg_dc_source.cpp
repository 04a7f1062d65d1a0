#include "core/jpeg_dc_source.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <jerror.h>

#include "core/picture_decode.h"

namespace pictures {

namespace {

// Marker codes (the byte after 0xFF).
constexpr int kSos = 0xDA;
bool Standalone(int m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD9); }

// At least k bytes in hand, unless the file ends first.
bool Want(DcSource& s, std::size_t k) {
  if (s.len - s.pos >= k) return true;
  std::memmove(s.in, s.in + s.pos, s.len - s.pos);
  s.len -= s.pos;
  s.pos = 0;
  while (s.len < k && !s.eof) {
    const ssize_t n = ::read(s.fd, s.in + s.len, DcSource::kBuffer - s.len);
    if (n > 0)
      s.len += std::size_t(n);
    else if (n == 0 || errno != EINTR)
      s.eof = true;
  }
  return s.len >= k;
}

// Passes on (or leaves out) up to count bytes in hand, as far as out has room; how many.
std::size_t Move(DcSource& s, std::size_t count, bool keep, std::size_t& n) {
  count = std::min(count, s.len - s.pos);
  if (keep) {
    count = std::min(count, DcSource::kBuffer - n);
    std::memcpy(s.out + n, s.in + s.pos, count);
    n += count;
  }
  s.pos += count;
  return count;
}

// The start of a marker in hand: decides what becomes of its segment.
void StartMarker(DcSource& s, std::size_t& n) {
  if (s.in[s.pos] != 0xFF) {
    // Stray bytes between segments; the library skips them itself.
    const void* ff = std::memchr(s.in + s.pos, 0xFF, s.len - s.pos);
    Move(s, ff ? std::size_t(static_cast<const unsigned char*>(ff) - (s.in + s.pos)) : s.len - s.pos, true, n);
    return;
  }
  const int m = Want(s, 2) ? s.in[s.pos + 1] : -1;
  if (m < 0 || m == 0xFF) {
    Move(s, 1, true, n);  // the end of the file, or a fill byte
    return;
  }
  if (Standalone(m) || !Want(s, 4)) {
    Move(s, 2, true, n);
    return;
  }
  const std::size_t length = std::size_t(s.in[s.pos + 2]) << 8 | s.in[s.pos + 3];
  if (IsJpegFrameMarker(m)) s.progressive = IsProgressiveFrameMarker(m);
  s.keep = true;
  s.afterSegment = DcSource::Mode::Markers;
  if (m == kSos) {
    s.afterSegment = DcSource::Mode::Data;
    // Ns, then two bytes a component, then Ss: a scan of AC coefficients starts past 0.
    const std::size_t ns = Want(s, 5) ? s.in[s.pos + 4] : 0;
    if (s.progressive && ns >= 1 && ns <= 4 && length >= 6 + 2 * ns && Want(s, 6 + 2 * ns))
      s.keep = s.in[s.pos + 5 + 2 * ns] == 0;
  }
  s.mode = DcSource::Mode::Segment;
  s.segmentLeft = std::int64_t(2 + length);
}

// Entropy-coded bytes up to the next marker that is not a restart marker.
void ScanData(DcSource& s, std::size_t& n) {
  const unsigned char* p = s.in + s.pos;
  const void* ff = std::memchr(p, 0xFF, s.len - s.pos);
  const std::size_t run = ff ? std::size_t(static_cast<const unsigned char*>(ff) - p) : s.len - s.pos;
  if (run > 0) {
    Move(s, run, s.keep, n);
    return;
  }
  const int m = Want(s, 2) ? s.in[s.pos + 1] : -1;
  if (m == 0x00 || (m >= 0xD0 && m <= 0xD7))
    Move(s, 2, s.keep, n);  // a stuffed 0xFF or a restart marker: still the scan
  else if (m < 0 || m == 0xFF)
    Move(s, 1, s.keep, n);
  else
    s.mode = DcSource::Mode::Markers;
}

// The next bytes for the library; 0 at the end of the file. Reads on only while it
// has nothing to give, so that nothing past the DC the library waits for is read.
std::size_t Produce(DcSource& s) {
  std::size_t n = 0;
  while (n < DcSource::kBuffer && (s.pos < s.len || (n == 0 && Want(s, 1)))) {
    switch (s.mode) {
      case DcSource::Mode::Markers:
        StartMarker(s, n);
        break;
      case DcSource::Mode::Segment:
        s.segmentLeft -= std::int64_t(Move(s, std::size_t(std::min<std::int64_t>(s.segmentLeft, DcSource::kBuffer)),
                                           s.keep, n));
        if (s.segmentLeft <= 0) s.mode = s.afterSegment;
        break;
      case DcSource::Mode::Data:
        ScanData(s, n);
        break;
    }
  }
  return n;
}

DcSource& Of(j_decompress_ptr cinfo) { return *reinterpret_cast<DcSource*>(cinfo->src); }

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr cinfo) {
  DcSource& s = Of(cinfo);
  std::size_t n = Produce(s);
  if (n == 0) {
    // An early end reads as the end of the picture, as with the library's own file source.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    s.out[0] = 0xFF;
    s.out[1] = JPEG_EOI;
    n = 2;
  }
  s.pub.next_input_byte = s.out;
  s.pub.bytes_in_buffer = n;
  return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
  DcSource& s = Of(cinfo);
  if (count <= 0) return;
  while (std::size_t(count) > s.pub.bytes_in_buffer) {
    count -= long(s.pub.bytes_in_buffer);
    FillInput(cinfo);
  }
  s.pub.next_input_byte += count;
  s.pub.bytes_in_buffer -= std::size_t(count);
}

}  // namespace

void DcSource::Attach(int descriptor) {
  fd = descriptor;
  pub.init_source = InitSource;
  pub.fill_input_buffer = FillInput;
  pub.skip_input_data = SkipInput;
  pub.resync_to_restart = jpeg_resync_to_restart;
  pub.term_source = TermSource;
  pub.next_input_byte = nullptr;
  pub.bytes_in_buffer = 0;
}

}  // namespace pictures
