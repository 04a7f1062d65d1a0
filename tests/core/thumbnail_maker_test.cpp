// Thumbnail geometry, picture loading and the thumbnail file, without the window.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "core/jpeg_dc_decode.h"
#include "core/modquillmont.h"
#include "core/picture_decode.h"
#include "core/thumbnail_maker.h"
#include "core/viewer_rules.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "support/bytes_read.h"
#include "support/crafted_jpeg.h"
#include "support/jpeg_writer.h"
#include "support/oriented_jpeg.h"
#include "support/pictures.h"
#include "support/temp_archive.h"
#include "support/time_zone.h"

namespace {

// Something like a photo: smooth areas and sharp edges.
QImage PhotoLike(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(200, 60, 40));
  g.setColorAt(1, QColor(30, 80, 190));
  p.fillRect(img.rect(), g);
  for (int i = 0; i < 60; ++i) {
    p.setBrush(QColor::fromHsv((i * 37) % 360, 200, 220));
    p.drawEllipse((i * 523) % w, (i * 331) % h, w / 20 + (i * 17) % (w / 8), h / 20 + (i * 29) % (h / 8));
  }
  return img;
}

}  // namespace

TEST(ThumbnailGeometry, FitsTheLongerSideTo100AndRoundsTheOther) {
  EXPECT_EQ(ThumbnailBoxSize(640, 480), QSize(100, 75));
  EXPECT_EQ(ThumbnailBoxSize(480, 640), QSize(75, 100));
  EXPECT_EQ(ThumbnailBoxSize(500, 500), QSize(100, 100));
  EXPECT_EQ(ThumbnailBoxSize(1920, 1080), QSize(100, 56));  // 56.25
  EXPECT_EQ(ThumbnailBoxSize(3, 2), QSize(100, 67));        // 66.67
  EXPECT_EQ(ThumbnailBoxSize(200, 1), QSize(100, 1));       // never 0 pixels
  EXPECT_EQ(ThumbnailBoxSize(1, 5000), QSize(1, 100));
  EXPECT_EQ(ThumbnailBoxSize(40, 30), QSize(100, 75));      // small pictures are enlarged
  EXPECT_EQ(ThumbnailBoxSize(0, 0), BlankThumbnailSize());
}

TEST(ThumbnailGeometry, PhotoNameIsTheLastPathComponent) {
  EXPECT_EQ(ThumbnailPhotoName("beach.jpg"), "beach.jpg");
  EXPECT_EQ(ThumbnailPhotoName("/home/u/Photos/beach.jpg"), "beach.jpg");
  EXPECT_EQ(ThumbnailPhotoName("/odd/"), "");
}

class ThumbnailPictureTest : public TempArchive {
protected:
  pictures::JpegDcOutcome DecodeDc(const std::string& rel, const ThumbnailPlan& plan, QImage& out,
                                   std::int64_t limit = 0) {
    return pictures::DecodeJpegDc(Path(rel), plan.header, limit ? limit : plan.bytes, out);
  }
};

TEST_F(ThumbnailPictureTest, ReducedJpegDecodeGivesTheSameThumbnail) {
  Write("Photos/big.jpg", EncodedImage(PhotoLike(1600, 1200), "JPEG", 90));
  const ThumbnailPicture fast = LoadThumbnailPicture(Path("Photos/big.jpg"), true);
  const ThumbnailPicture full = LoadThumbnailPicture(Path("Photos/big.jpg"), false);
  ASSERT_TRUE(fast.loaded && full.loaded);
  EXPECT_EQ(fast.size, QSize(1600, 1200));
  ASSERT_EQ(fast.picture.size(), QSize(100, 75));
  ASSERT_EQ(full.picture.size(), QSize(100, 75));
  const QImage a = fast.picture.convertToFormat(QImage::Format_RGB32);
  const QImage b = full.picture.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  int worst = 0;
  for (int y = 0; y < 75; ++y)
    for (int x = 0; x < 100; ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (int d : {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))}) {
        sum += d;
        worst = std::max(worst, d);
      }
    }
  EXPECT_LT(sum / (100 * 75 * 3), 1.0);
  EXPECT_LE(worst, 16);
}

TEST_F(ThumbnailPictureTest, LoadsByContentAndStandsEveryCameraOrientationUpright) {
  // A PNG under a .jpg name still loads.
  Write("Photos/really-png.jpg", EncodedImage(PhotoLike(300, 600), "PNG", 90));
  const ThumbnailPicture png = LoadThumbnailPicture(Path("Photos/really-png.jpg"));
  EXPECT_TRUE(png.loaded);
  EXPECT_EQ(png.box, QSize(50, 100));

  // An upright picture stored as each of the eight tags says (mirrored ones
  // included): decoded reduced and whole by Qt's reader, and a progressive one at
  // 1/8 from its DC alone.
  const struct {
    const char* kind;
    QSize size;
    bool reduced, progressive;
  } kinds[] = {{"reduced", {640, 480}, true, false},
               {"whole", {640, 480}, false, false},
               {"from its DC", {1600, 1200}, true, true}};
  for (const auto& k : kinds)
    for (int orientation = 1; orientation <= 8; ++orientation) {
      SCOPED_TRACE(std::string(k.kind) + " " + std::to_string(orientation));
      Write("Photos/turned.jpg", OrientedJpeg(QuarterColours(k.size.width(), k.size.height()), orientation, 92,
                                              k.progressive));
      const ThumbnailPlan plan = PlanThumbnail(Path("Photos/turned.jpg"), k.reduced);
      EXPECT_EQ(plan.eighths == 1 && pictures::JpegDcSuits(plan.header), k.progressive);
      EXPECT_EQ(plan.header.orientation, orientation);
      EXPECT_EQ(plan.header.size, pictures::UprightSize(k.size, orientation)) << "the header gives the stored size";
      const ThumbnailPicture t = LoadThumbnailPicture(Path("Photos/turned.jpg"), k.reduced);
      ASSERT_TRUE(t.loaded);
      EXPECT_EQ(t.size, k.size);
      EXPECT_EQ(t.box, QSize(100, 75));
      EXPECT_EQ(t.picture.size(), QSize(100, 75));
      EXPECT_TRUE(QuartersStandUpright(t.picture));
    }
}

TEST_F(ThumbnailPictureTest, UnreadablePicturesGiveABlankBoxAndAreInvalidToTheView) {
  // Qt's JPEG reader claims those starting FF D8 by these two bytes and then fails
  // to read a size: our own parser judges them.
  const std::string files[] = {"not a picture", std::string("\xFF\xD8\x00hello, not a picture", 23),
                               std::string("\xFF\xD8") + std::string(4000, 'z'), std::string("\xFF\xD8", 2)};
  std::vector<std::string> paths{Path("Photos/none.jpg"), std::string()};
  for (const std::string& bytes : files) {
    const std::string rel = "Photos/odd" + std::to_string(paths.size()) + ".jpg";
    Write(rel, bytes);
    paths.push_back(Path(rel));
    QFile file;
    ASSERT_TRUE(pictures::OpenPictureFile(file, paths.back()));
    const pictures::Header h = pictures::ReadHeader(file);
    EXPECT_EQ(h.jpeg, bytes.starts_with("\xFF\xD8")) << bytes;
    EXPECT_FALSE(h.size.isValid()) << bytes;
  }
  for (const std::string& p : paths) {
    SCOPED_TRACE(p);
    const ThumbnailPicture pic = LoadThumbnailPicture(p);
    EXPECT_FALSE(pic.loaded);
    EXPECT_EQ(pic.box, BlankThumbnailSize());
    const QImage thumb = DrawThumbnail(pic.picture, pic.box, QColor(10, 20, 30));
    EXPECT_EQ(thumb.size(), BlankThumbnailSize());
    EXPECT_EQ(thumb.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(thumb.pixel(99, 99), qRgb(10, 20, 30));
    EXPECT_THROW(viewer::ReadPicture(p, [](QSize) { return 8; }, std::int64_t(64) << 20), qm::RuntimeError);
  }
}

TEST_F(ThumbnailPictureTest, TransparentPartsShowTheBoxColour) {
  QImage img(200, 100, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter(&img).fillRect(0, 0, 100, 100, Qt::red);
  Write("Photos/clear.png", EncodedImage(img, "PNG", 90));
  const ThumbnailPicture pic = LoadThumbnailPicture(Path("Photos/clear.png"));
  const QImage thumb = DrawThumbnail(pic.picture, pic.box, QColor(0, 200, 0));
  ASSERT_EQ(thumb.size(), QSize(100, 50));
  EXPECT_EQ(thumb.pixel(10, 25), qRgb(255, 0, 0));
  EXPECT_EQ(thumb.pixel(90, 25), qRgb(0, 200, 0));
}

TEST_F(ThumbnailPictureTest, SavedFileIsBmpDatedLikeThePhotoAndNeverThePhotoItself) {
  AddJpeg("beach.jpg", 64, 48);
  SetTime("Photos/beach.jpg", 1500000007);
  const QImage thumb = DrawThumbnail(QImage(), QSize(100, 75), Qt::white);

  ASSERT_TRUE(SaveThumbnailFile(thumb, Path("Photo_Thumbnails/beach.jpg"), Path("Photos/beach.jpg")));
  EXPECT_EQ(Read("Photo_Thumbnails/beach.jpg").substr(0, 2), "BM");
  EXPECT_EQ(qm::FileDateTime(Path("Photo_Thumbnails/beach.jpg")), 1500000007);

  // The same file reached by another spelling of the path.
  const std::string photo = Read("Photos/beach.jpg");
  EXPECT_FALSE(SaveThumbnailFile(thumb, Path("Photo_Thumbnails/../Photos/beach.jpg"), Path("Photos/beach.jpg")));
  EXPECT_EQ(Read("Photos/beach.jpg"), photo);
  ASSERT_EQ(LogEntries().size(), 1u);
  EXPECT_NE(LogEntries()[0].find("An error has occurred in 'CreateThumbnails'. Error = "), std::string::npos);
  EXPECT_EQ(qm::ListFiles(Path("Photos")), std::vector<std::string>{"beach.jpg"}) << "no temporary file left";
}

TEST_F(ThumbnailPictureTest, APhotoFromTheHourRepeatedWhenSummerTimeEndsGivesAnEqualTime) {
  TimeZone tz(TimeZone::kCentralEurope);
  AddJpeg("early.jpg", 64, 48);
  AddJpeg("late.jpg", 64, 48);
  // 2001-10-28 02:30 local time, first in summer time and an hour later in winter time.
  SetTime("Photos/early.jpg", 1004229000);
  SetTime("Photos/late.jpg", 1004232600);
  const QImage thumb = DrawThumbnail(QImage(), QSize(100, 75), Qt::white);
  for (const char* name : {"early.jpg", "late.jpg"}) {
    const std::string n = name;
    ASSERT_TRUE(SaveThumbnailFile(thumb, Path("Photo_Thumbnails/" + n), Path("Photos/" + n)));
    EXPECT_EQ(qm::FileDateTime(Path("Photo_Thumbnails/" + n)), qm::FileDateTime(Path("Photos/" + n))) << n;
  }
}

namespace {

// Detail down to the pixel, as camera files have: shapes under noise.
QImage Detailed(int w, int h, unsigned seed) {
  QImage img = PhotoLike(w, h);
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int n = int(seed >> 27) - 16;
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) - n, 0, 255),
                     std::clamp(qBlue(c) + n / 2, 0, 255));
    }
  }
  return img;
}

// The root mean square difference of two pictures, in parts of full scale.
double Rms(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int j = 0; j < x.height(); ++j)
    for (int i = 0; i < x.width(); ++i) {
      const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
      for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) sum += d * d;
    }
  return std::sqrt(sum / (3.0 * x.width() * x.height())) / 255;
}

// A JPEG's bytes decoded by Qt's reader, reduced by the JPEG library to size.
QImage ReadScaled(const std::string& bytes, QSize size) {
  QByteArray data = QByteArray::fromStdString(bytes);
  QBuffer buf(&data);
  QImageReader reader(&buf);
  reader.setScaledSize(size);
  return reader.read();
}

}  // namespace

TEST(ThumbnailDecodeRules, SmallestJpegScaleThatStillGivesTwiceTheThumbnail) {
  EXPECT_EQ(pictures::JpegEighthsFor({5640, 3172}, {200, 112}), 1);
  EXPECT_EQ(pictures::JpegEighthsFor({1000, 750}, {200, 150}), 2);
  EXPECT_EQ(pictures::JpegEighthsFor({300, 200}, {200, 134}), 6);
  EXPECT_EQ(pictures::JpegEighthsFor({150, 100}, {200, 134}), 8);
  EXPECT_EQ(pictures::JpegScaledSize({1001, 751}, 1), QSize(126, 94));
  // The thumbnail itself when the reader then decodes at that scale: one
  // reduction, straight from the decode.
  EXPECT_EQ(pictures::JpegRequestFor({5640, 3172}, 1, {100, 56}), QSize(100, 56));
  // Else the scale's own size when it is whole, so the reader does not rescale.
  EXPECT_EQ(pictures::JpegRequestFor({1000, 752}, 2, {100, 75}), QSize(250, 188));
  EXPECT_EQ(pictures::JpegRequestFor({1000, 750}, 2), QSize(250, 187));
}

TEST_F(ThumbnailPictureTest, EveryKindOfJpegGivesTheWholePictureReducedSmoothly) {
  // Baseline and progressive, colour at half and at full size, grey; the reference is
  // the whole file decoded at full size and reduced smoothly.
  const QImage source = Detailed(2400, 1600, 7);
  const std::pair<const char*, std::string> files[] = {
      {"baseline 4:2:0", JpegBytes(source, false, 92)},
      {"progressive 4:2:0", JpegBytes(source, true, 92)},
      {"progressive 4:4:4", LibjpegBytes(source, {.quality = 92, .progressive = true, .fullColour = true})},
      {"progressive grey", LibjpegBytes(source, {.quality = 92, .progressive = true, .grey = true})},
      {"baseline 4:4:4", LibjpegBytes(source, {.quality = 92, .fullColour = true})}};
  for (const auto& [kind, bytes] : files) {
    Write("Photos/d.jpg", bytes);
    const ThumbnailPlan plan = PlanThumbnail(Path("Photos/d.jpg"));
    EXPECT_EQ(plan.header.allCoefficients, std::string(kind).starts_with("progressive")) << kind;
    EXPECT_EQ(plan.eighths, 1) << "1/8 gives 300 x 200, twice the thumbnail";
    EXPECT_EQ(plan.request, QSize(100, 67)) << "and the reader reduces it once";
    const ThumbnailPicture pic = LoadThumbnailPicture(Path("Photos/d.jpg"));
    ASSERT_TRUE(pic.loaded) << kind;
    ASSERT_EQ(pic.picture.size(), QSize(100, 67)) << kind;
    QImage whole;
    ASSERT_TRUE(whole.loadFromData(QByteArray::fromStdString(bytes)));
    EXPECT_LT(Rms(pic.picture, whole.scaled(100, 67, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)), 0.03)
        << kind;
  }
}

TEST_F(ThumbnailPictureTest, AProgressiveJpegDecodesFromItsDcAloneAndStopsReading) {
  // The DC of every component comes in the first scans; what follows is never read.
  const QImage source = Detailed(2000, 1400, 11);
  const std::string plain = LibjpegBytes(source, {.quality = 85, .progressive = true, .fullColour = true});
  Write("Photos/p.jpg", plain);
  const ThumbnailPlan plan = PlanThumbnail(Path("Photos/p.jpg"));
  ASSERT_TRUE(pictures::JpegDcSuits(plan.header));
  QImage dc;
  const long long before = BytesRead();
  ASSERT_EQ(DecodeDc("Photos/p.jpg", plan, dc), pictures::JpegDcOutcome::Decoded);
  EXPECT_LT(BytesRead() - before, (long long)plain.size() * 3 / 4);
  ASSERT_EQ(dc.size(), QSize(250, 175));
  // Exactly what the library gives for the whole file at 1/8, without smoothing.
  const QImage reference = ReadScaled(plain, QSize(250, 175));
  EXPECT_LT(Rms(dc, reference), 0.005);

  // A file cut short gives what it holds; more memory than promised is refused; a
  // header that no longer matches the file leaves the decode to Qt's reader.
  Write("Photos/cut.jpg", plain.substr(0, 3000));
  EXPECT_EQ(DecodeDc("Photos/cut.jpg", plan, dc), pictures::JpegDcOutcome::Decoded);
  EXPECT_EQ(dc.size(), QSize(250, 175));
  EXPECT_EQ(DecodeDc("Photos/p.jpg", plan, dc, 4 << 20), pictures::JpegDcOutcome::Failed);
  EXPECT_TRUE(dc.isNull());
  Write("Photos/other.jpg", JpegBytes(source.scaled(1600, 1200), true));
  EXPECT_EQ(DecodeDc("Photos/other.jpg", plan, dc), pictures::JpegDcOutcome::Unsuited);
  EXPECT_EQ(DecodeDc("Photos/none.jpg", plan, dc), pictures::JpegDcOutcome::Failed);

  // What passes over the AC scans must find every marker wherever the file's reads
  // cut it: restart markers inside scans, fill bytes before markers, a segment longer
  // than one read, and marker bytes split between two reads.
  const auto withSegmentAt2 = [&](size_t length) {
    std::string app = "\xFF\xE5" + std::string(1, char(length >> 8)) + char(length & 255);
    return plain.substr(0, 2) + app + std::string(length - 2, '\xFF') + plain.substr(2);
  };
  std::string filled = plain;
  for (size_t i = filled.find("\xFF\xDA"); i != std::string::npos; i = filled.find("\xFF\xDA", i + 8))
    filled.insert(i, "\xFF\xFF\xFF");
  // The first scan sent again and again never completes the DC: refused, not decoded on.
  const size_t sos = plain.find("\xFF\xDA"), next = plain.find("\xFF\xC4", sos);
  ASSERT_NE(next, std::string::npos);
  std::string many = plain.substr(0, next);
  for (int i = 0; i < 120; ++i) many += plain.substr(sos, next - sos);
  // The RMS difference allowed from the reference; 0: refused.
  const std::tuple<const char*, std::string, double> files[] = {
      {"restart markers",
       LibjpegBytes(source, {.quality = 85, .progressive = true, .fullColour = true, .restartInterval = 3}), 0.01},
      {"fill bytes", filled, 0.0001},
      {"a segment longer than a read", withSegmentAt2(65535), 0.0001},
      {"a marker across two reads", withSegmentAt2(65531), 0.0001},
      {"the first scan repeated", many + plain.substr(next), 0}};
  for (const auto& [kind, bytes, tolerance] : files) {
    SCOPED_TRACE(kind);
    Write("Photos/s.jpg", bytes);
    const pictures::JpegDcOutcome outcome = DecodeDc("Photos/s.jpg", PlanThumbnail(Path("Photos/s.jpg")), dc);
    if (tolerance == 0) {
      EXPECT_EQ(outcome, pictures::JpegDcOutcome::Failed);
      EXPECT_FALSE(LoadThumbnailPicture(Path("Photos/s.jpg")).loaded);
    } else {
      ASSERT_EQ(outcome, pictures::JpegDcOutcome::Decoded);
      EXPECT_LT(Rms(dc, reference), tolerance);
    }
  }
}

TEST_F(ThumbnailPictureTest, HeadersDecideTheCostAndNothingIsReadWhole) {
  // A few hundred bytes claiming a progressive 64798 x 10518: every coefficient,
  // four gigabytes, would be held even for a reduced decode.
  Write("Photos/bomb.jpg", JpegClaiming(64798, 10518, true));
  const ThumbnailPlan bomb = PlanThumbnail(Path("Photos/bomb.jpg"));
  EXPECT_EQ(bomb.header.size, QSize(64798, 10518));
  EXPECT_GT(bomb.bytes, (std::int64_t(1) << 31) - 100000000);
  const ThumbnailPicture pic = LoadThumbnailPicture(Path("Photos/bomb.jpg"));
  EXPECT_TRUE(pic.tooLarge);
  EXPECT_FALSE(pic.loaded);
  EXPECT_EQ(pic.box, BlankThumbnailSize());
  // The same claim in one scan decodes at 1/8 within the budget.
  Write("Photos/flat.jpg", JpegClaiming(64798, 10518, false));
  const ThumbnailPlan flat = PlanThumbnail(Path("Photos/flat.jpg"));
  EXPECT_FALSE(flat.header.allCoefficients);
  EXPECT_LT(flat.bytes, kThumbnailBudgetFloor);
  // A PNG is decoded whole: its four bytes a pixel count.
  Write("Photos/p.png", EncodedImage(PhotoLike(400, 300), "PNG"));
  EXPECT_GE(PlanThumbnail(Path("Photos/p.png")).bytes, 400 * 300 * 4);

  // Twenty megabytes that are no picture: only the start is looked at.
  Write("Photos/junk.jpg", std::string(20 << 20, 'x'));
  Write("Photos/fake.jpg", "\xFF\xD8\xFF" + std::string(20 << 20, '\0'));
  for (const char* name : {"Photos/junk.jpg", "Photos/fake.jpg"}) {
    const long long before = BytesRead();
    EXPECT_FALSE(LoadThumbnailPicture(Path(name)).loaded) << name;
    EXPECT_LT(BytesRead() - before, 5 << 20) << name;
  }
}

TEST_F(ThumbnailPictureTest, AnyBytesGiveAPictureOrABlankWithinTheBudget) {
  // Real JPEGs and a PNG with bytes changed, cut short and headers rewritten.
  const std::string seeds[] = {JpegBytes(PhotoLike(120, 90), false), JpegBytes(PhotoLike(120, 90), true),
                               EncodedImage(PhotoLike(120, 90), "PNG")};
  unsigned rnd = 12345;
  const auto next = [&] { return rnd = rnd * 1103515245u + 12345u; };
  int loaded = 0;
  for (int round = 0; round < 300; ++round) {
    std::string b = seeds[round % 3];
    if (round % 4 == 0) b.resize(next() % b.size());
    for (int k = int(next() % 6); k >= 0; --k) b[next() % b.size()] = char(next() >> 16);
    // Sometimes a frame header claiming an enormous size.
    if (round % 5 == 0)
      for (size_t i = 2; i + 9 < b.size(); ++i)
        if (b[i] == '\xFF' && (b[i + 1] == '\xC0' || b[i + 1] == '\xC2')) {
          b[i + 5] = b[i + 7] = char(0xF0 | (next() & 15));
          break;
        }
    Write("Photos/m.jpg", b);
    const ThumbnailPlan plan = PlanThumbnail(Path("Photos/m.jpg"));
    const ThumbnailPicture pic = LoadThumbnailPicture(Path("Photos/m.jpg"), true, std::int64_t(64) << 20);
    EXPECT_TRUE(!pic.tooLarge || plan.bytes > (std::int64_t(64) << 20)) << round;
    EXPECT_EQ(pic.picture.isNull(), !pic.loaded) << round;
    // The enlarged view's reader on the same bytes: a picture, or an error it reports.
    try {
      const viewer::DecodedPicture v = viewer::ReadPicture(Path("Photos/m.jpg"), [](QSize) { return 8; },
                                                           std::int64_t(64) << 20);
      EXPECT_FALSE(v.image.isNull()) << round;
    } catch (const qm::RuntimeError& e) {
      EXPECT_TRUE(e.Number() == qm::ErrInvalidPicture || e.Number() == pictures::kErrOutOfMemory) << round;
    }
    if (pic.loaded) {
      ++loaded;
      EXPECT_EQ(pic.picture.size(), pic.box) << round;
    } else {
      EXPECT_EQ(pic.box, BlankThumbnailSize()) << round;
    }
  }
  EXPECT_GT(loaded, 0);
}
