#include "core/jpeg_dc_decode.h"

#include <unistd.h>

#include <csetjmp>
#include <memory>

#include "core/jpeg_coefficients.h"
#include "core/jpeg_dc_source.h"

namespace pictures {

namespace {

// Encoders send the DC within the first few scans; a file that has not completed it
// after this many is hostile, and each scan costs a pass over the whole picture.
constexpr int kMaxScans = 100;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }
// Damaged data only warns, as in every other reader of the program.
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}

// Everything the decode changes lives here, outside the frame that a jump returns to.
struct Decode {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  DcSource src;
  CoefficientArrays coefficients;
  QImage image;
  int scans = 1;
  JpegDcOutcome outcome = JpegDcOutcome::Failed;
};

bool DcComplete(const jpeg_decompress_struct& c) {
  for (int i = 0; i < c.num_components; ++i)
    if (c.coef_bits[i][0] != 0) return false;
  return true;
}

// The library's errors jump back here; nothing in this frame outlives a jump.
void Run(Decode* d, const Header* expected, std::int64_t memoryLimit) {
  if (setjmp(d->err.jump)) {
    d->outcome = JpegDcOutcome::Failed;
    return;
  }
  j_decompress_ptr c = &d->cinfo;
  jpeg_create_decompress(c);
  // The memory the header promised is all a decode gets: the coefficients are
  // refused beyond it, and any other array the library would keep whole asks for a
  // backing store, which this build of the library has not.
  c->mem->max_memory_to_use = long(memoryLimit);
  d->coefficients.Install(c, memoryLimit);
  c->src = &d->src.pub;
  jpeg_read_header(c, TRUE);
  if (!c->progressive_mode || int(c->image_width) != expected->size.width() ||
      int(c->image_height) != expected->size.height() || c->num_components != expected->components ||
      (c->num_components != 1 && c->num_components != 3)) {
    d->outcome = JpegDcOutcome::Unsuited;
    return;
  }
  const bool grey = c->num_components == 1;
  QImage::Format format = QImage::Format_Grayscale8;
  if (grey) {
    c->out_color_space = JCS_GRAYSCALE;
  } else {
    // Qt's RGB32 is a native 0xffRRGGBB word.
    c->out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    format = QImage::Format_RGB32;
  }
  c->scale_num = 1;
  c->scale_denom = 8;
  c->buffered_image = TRUE;
  c->do_block_smoothing = FALSE;
  jpeg_start_decompress(c);
  for (;;) {
    const int r = jpeg_consume_input(c);
    if (r == JPEG_REACHED_EOI || r == JPEG_SUSPENDED) break;
    if (r == JPEG_REACHED_SOS && ++d->scans > kMaxScans) return;
    if (r == JPEG_SCAN_COMPLETED && DcComplete(*c)) break;
  }
  jpeg_start_output(c, c->input_scan_number);
  d->image = QImage(int(c->output_width), int(c->output_height), format);
  if (d->image.isNull()) return;
  while (c->output_scanline < c->output_height) {
    JSAMPROW row = d->image.scanLine(int(c->output_scanline));
    if (jpeg_read_scanlines(c, &row, 1) != 1) return;
  }
  d->outcome = JpegDcOutcome::Decoded;
}

}  // namespace

bool JpegDcSuits(const Header& h) {
  return h.jpeg && h.allCoefficients && h.size.isValid() && (h.components == 1 || h.components == 3);
}

JpegDcOutcome DecodeJpegDc(const std::string& path, const Header& expected, std::int64_t memoryLimit, QImage& out) {
  out = QImage();
  if (!JpegDcSuits(expected) || memoryLimit <= 0) return JpegDcOutcome::Unsuited;
  auto d = std::make_unique<Decode>();
  const int fd = OpenPictureDescriptor(path);
  if (fd < 0) return JpegDcOutcome::Failed;
  d->cinfo.err = jpeg_std_error(&d->err.pub);
  d->err.pub.error_exit = ErrorExit;
  d->err.pub.emit_message = EmitMessage;
  d->err.pub.output_message = OutputMessage;
  d->src.Attach(fd);
  Run(d.get(), &expected, memoryLimit);
  // Whatever the file holds after the DC is never read.
  jpeg_destroy_decompress(&d->cinfo);
  ::close(fd);
  if (d->outcome == JpegDcOutcome::Decoded) out = std::move(d->image);
  return d->outcome;
}

}  // namespace pictures
