#include "support/mjpeg_avi.h"

#include <cstdint>

#include "support/pictures.h"

namespace {

void U32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}
void U16(std::string& s, std::uint16_t v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}
void FourCC(std::string& s, const char* cc) { s.append(cc, 4); }

std::string Chunk(const char* id, const std::string& data) {
  std::string s;
  FourCC(s, id);
  U32(s, std::uint32_t(data.size()));
  s += data;
  if (data.size() % 2) s += '\0';
  return s;
}

std::string List(const char* type, const std::string& data) {
  std::string body;
  FourCC(body, type);
  body += data;
  return Chunk("LIST", body);
}

std::string Jpeg(const QImage& img) { return EncodedImage(img.convertToFormat(QImage::Format_RGB32), "JPEG", 90); }

}  // namespace

std::string MjpegAviBytes(const std::vector<QImage>& frames, int fps) {
  const std::uint32_t w = std::uint32_t(frames.at(0).width()), h = std::uint32_t(frames.at(0).height());
  std::vector<std::string> jpegs;
  std::uint32_t largest = 0;
  for (const QImage& f : frames) {
    jpegs.push_back(Jpeg(f.size() == frames[0].size() ? f : f.scaled(int(w), int(h))));
    largest = std::max(largest, std::uint32_t(jpegs.back().size()));
  }
  const std::uint32_t n = std::uint32_t(jpegs.size());

  std::string avih;
  U32(avih, 1000000u / std::uint32_t(fps));  // microseconds per frame
  U32(avih, largest * std::uint32_t(fps));
  U32(avih, 0);
  U32(avih, 0x10);  // has an index
  U32(avih, n);
  U32(avih, 0);
  U32(avih, 1);  // streams
  U32(avih, largest);
  U32(avih, w);
  U32(avih, h);
  for (int i = 0; i < 4; ++i) U32(avih, 0);

  std::string strh;
  FourCC(strh, "vids");
  FourCC(strh, "MJPG");
  U32(strh, 0);
  U16(strh, 0);
  U16(strh, 0);
  U32(strh, 0);
  U32(strh, 1);  // scale
  U32(strh, std::uint32_t(fps));
  U32(strh, 0);
  U32(strh, n);
  U32(strh, largest);
  U32(strh, 0xFFFFFFFFu);
  U32(strh, 0);
  U16(strh, 0);
  U16(strh, 0);
  U16(strh, std::uint16_t(w));
  U16(strh, std::uint16_t(h));

  std::string strf;
  U32(strf, 40);
  U32(strf, w);
  U32(strf, h);
  U16(strf, 1);
  U16(strf, 24);
  FourCC(strf, "MJPG");
  U32(strf, w * h * 3);
  for (int i = 0; i < 4; ++i) U32(strf, 0);

  const std::string hdrl = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));

  std::string movi, idx;
  std::uint32_t offset = 4;  // from the "movi" type, as readers expect
  for (const std::string& j : jpegs) {
    FourCC(idx, "00dc");
    U32(idx, 0x10);  // key frame
    U32(idx, offset);
    U32(idx, std::uint32_t(j.size()));
    const std::string c = Chunk("00dc", j);
    movi += c;
    offset += std::uint32_t(c.size());
  }

  std::string body;
  FourCC(body, "AVI ");
  body += hdrl + List("movi", movi) + Chunk("idx1", idx);
  return Chunk("RIFF", body);
}
