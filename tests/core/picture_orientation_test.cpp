// The camera orientation of a picture, read with its header from any bytes, and
// what a turn costs.
#include <gtest/gtest.h>

#include <QFile>

#include "core/picture_decode.h"
#include "core/picture_orientation.h"
#include "support/oriented_jpeg.h"
#include "support/pictures.h"
#include "support/temp_archive.h"

namespace {

class Orientation : public TempArchive {
protected:
  pictures::Header HeaderOf(const std::string& bytes) {
    Write("Photos/h.jpg", bytes);
    QFile file;
    EXPECT_TRUE(pictures::OpenPictureFile(file, Path("Photos/h.jpg")));
    return pictures::ReadHeader(file);
  }
};

// The TIFF block of an APP1 segment: the segment's content after its length.
QByteArray Content(const std::string& segment) { return QByteArray::fromStdString(segment.substr(4)); }

TEST(OrientationTag, OddAndBrokenBlocksStandAsStored) {
  using pictures::ExifOrientation;
  EXPECT_EQ(ExifOrientation(Content(ExifSegment({{0x0112, 3, 6}}))), 6);
  EXPECT_EQ(ExifOrientation(Content(ExifSegment({{0x0112, 3, 8}}, false))), 8) << "Intel byte order";
  EXPECT_EQ(ExifOrientation(Content(ExifSegment({{0x010F, 2, 0}, {0x0112, 3, 3}}))), 3) << "after other tags";
  EXPECT_EQ(ExifOrientation(Content(ExifSegment({{0x0112, 4, 5}}))), 5) << "written as a long";
  for (unsigned bad : {0u, 9u, 0xFFFFu})
    EXPECT_EQ(ExifOrientation(Content(ExifSegment({{0x0112, 3, bad}}))), 1) << bad;
  EXPECT_EQ(ExifOrientation(Content(ExifSegment({{0x0112, 7, 6}}))), 1) << "no number type";
  EXPECT_EQ(ExifOrientation(Content(ExifSegment({{0x0110, 3, 6}}))), 1) << "no orientation tag";
  EXPECT_EQ(ExifOrientation("http://ns.adobe.com/xap/1.0/\0<x/>"), 0) << "no EXIF block";
  EXPECT_EQ(ExifOrientation(QByteArray("Exif", 4)), 0);

  const QByteArray good = Content(ExifSegment({{0x0112, 3, 6}}));
  // Cut anywhere inside the entry: nothing read past the end.
  for (int cut = 0; cut <= good.size(); ++cut)
    EXPECT_EQ(ExifOrientation(good.left(cut)), cut < 6 ? 0 : cut >= 6 + 10 + 12 ? 6 : 1) << cut;
  QByteArray b = good;
  b[6 + 3] = 43;  // no TIFF block
  EXPECT_EQ(ExifOrientation(b), 1);
  b = good;
  b[6] = 'X';  // no byte order
  EXPECT_EQ(ExifOrientation(b), 1);
  // The directory at the block's own header, past its end, or at the top of the range.
  for (unsigned char off : {0x00, 0x06, 0x7F, 0xFF}) {
    b = good;
    b[6 + 4] = b[6 + 5] = b[6 + 6] = b[6 + 7] = char(off);
    EXPECT_EQ(ExifOrientation(b), 1) << int(off);
  }
  // A next directory that leads back to the first is never followed.
  b = good;
  b[6 + 25] = 8;
  EXPECT_EQ(ExifOrientation(b), 6);
  // A directory claiming 65535 entries is read as far as the block goes.
  b = good;
  b[6 + 8] = b[6 + 9] = char(0xFF);
  EXPECT_EQ(ExifOrientation(b), 6);
  b = Content(ExifSegment({{0x0110, 3, 6}}));
  b[6 + 8] = b[6 + 9] = char(0xFF);
  EXPECT_EQ(ExifOrientation(b), 1);
}

TEST_F(Orientation, TheFirstExifBlockCountsAndAHugeTurnedPictureCostsItsCopy) {
  const std::string jpeg = EncodedImage(QuarterColours(64, 48), "JPEG");
  const std::string xmp = std::string("\xFF\xE1\x00\x0C", 4) + "http://ns/";
  EXPECT_EQ(HeaderOf(WithSegment(jpeg, xmp + ExifSegment({{0x0112, 3, 8}}))).orientation, 8);
  EXPECT_EQ(HeaderOf(WithSegment(jpeg, ExifSegment({{0x0112, 3, 6}}) + ExifSegment({{0x0112, 3, 3}}))).orientation, 6);
  EXPECT_EQ(HeaderOf(WithSegment(jpeg, ExifSegment({{0x0100, 3, 6}}) + ExifSegment({{0x0112, 3, 3}}))).orientation, 1)
      << "a block without the tag still is the first";
  EXPECT_EQ(HeaderOf(jpeg).orientation, 1);
  // A segment cut off by the end of the file is no picture at all.
  const std::string cut = WithSegment(jpeg, ExifSegment({{0x0112, 3, 6}})).substr(0, 20);
  EXPECT_FALSE(HeaderOf(cut).size.isValid());

  pictures::Header h = HeaderOf(jpeg);
  const std::int64_t asStored = pictures::DecodeBytes(h, 8, {});
  h.orientation = 6;
  EXPECT_EQ(pictures::DecodeBytes(h, 8, {}) - asStored, 64 * 48 * 4);
  h.orientation = 3;
  EXPECT_EQ(pictures::DecodeBytes(h, 8, {}), asStored) << "half a turn works in place";
}

}  // namespace
