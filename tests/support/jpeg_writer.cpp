#include "support/jpeg_writer.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

std::string LibjpegBytes(const QImage& img, const JpegStyle& style) {
  const QImage src = img.convertToFormat(style.grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);  // the writer of generated pictures has no errors to recover from
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = JDIMENSION(src.width());
  c.image_height = JDIMENSION(src.height());
  c.input_components = style.grey ? 1 : 3;
  c.in_color_space = style.grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, style.quality, TRUE);
  if (!style.grey && style.fullColour) c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = 1;
  if (style.progressive) jpeg_simple_progression(&c);
  c.restart_interval = unsigned(style.restartInterval);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<uchar*>(src.constScanLine(int(c.next_scanline)));
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string bytes(reinterpret_cast<const char*>(out), size);
  std::free(out);
  return bytes;
}
