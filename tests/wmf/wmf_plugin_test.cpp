// WMF pictures through the image plugin and its helper program: found by content,
// sized from their own header, drawn at the size asked for.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>

#include "core/picture_decode.h"
#include "support/temp_archive.h"
#include "support/wmf_pictures.h"
#include "wmf/wmf_render.h"

namespace {

class WmfPluginTest : public TempArchive {
protected:
  // As every reader of pictures does; the plugin comes with it.
  void SetUp() override {
    TempArchive::SetUp();
    pictures::UseAllocationLimit();
  }

  QImage ReadFile(const std::string& rel, QSize scaled = QSize()) {
    QImageReader reader(QString::fromStdString(Path(rel)));
    reader.setDecideFormatFromContent(true);
    if (scaled.isValid()) reader.setScaledSize(scaled);
    return reader.read();
  }
  // The format found by content and the size reported, without drawing.
  std::pair<QByteArray, QSize> HeaderOf(const std::string& rel) {
    QImageReader reader(QString::fromStdString(Path(rel)));
    reader.setDecideFormatFromContent(true);
    return {reader.format(), reader.size()};
  }
};

}  // namespace

TEST_F(WmfPluginTest, PlaceableIsItsFrameAt96PixelsAnInchFoundByContent) {
  // The size comes from the header alone: no helper is needed for it.
  wmf::SetHelperProgram(Path("no-such-helper"));
  Write("Photos/sample.jpg", SamplePlaceable());
  EXPECT_EQ(HeaderOf("Photos/sample.jpg"), std::make_pair(QByteArray("wmf"), QSize(192, 96)));
  Write("Photos/a.wmf", SampleDrawing().Placeable(0, 0, 1000, 100, 576));  // 166.7 x 16.7
  EXPECT_EQ(HeaderOf("Photos/a.wmf").second, QSize(167, 17));
  Write("Photos/b.wmf", SampleDrawing().Placeable(2000, 1000, -880, -440, 1440));  // frames given backwards
  EXPECT_EQ(HeaderOf("Photos/b.wmf").second, QSize(192, 96));
  Write("Photos/c.wmf", SampleDrawing().Placeable(0, 0, 1, 1, 2540));  // never less than a pixel
  EXPECT_EQ(HeaderOf("Photos/c.wmf").second, QSize(1, 1));
  Write("Photos/huge.wmf", HugePlaceable());
  EXPECT_EQ(HeaderOf("Photos/huge.wmf").second, QSize(32767 * 96, 16000 * 96));
  wmf::SetHelperProgram("");
}

TEST_F(WmfPluginTest, LinesFilledShapesAndTextAreDrawnInTheirPlaces) {
  Write("Photos/sample.wmf", SamplePlaceable());
  for (const QSize size : {QSize(192, 96), QSize(96, 48), QSize(576, 288)}) {
    const QImage img = ReadFile("Photos/sample.wmf", size == QSize(192, 96) ? QSize() : size);
    ASSERT_EQ(img.size(), size);
    EXPECT_EQ(SampleAt(img, 24, 12), qRgb(255, 0, 0)) << size.width();
    EXPECT_EQ(SampleAt(img, 146, 12), qRgb(0, 160, 0)) << size.width();
    EXPECT_EQ(SampleAt(img, 96, 80), qRgb(0, 0, 255)) << size.width();
    EXPECT_EQ(SampleAt(img, 48, 64), qRgb(255, 255, 255)) << size.width();
    EXPECT_EQ(SampleAt(img, 186, 90), qRgb(255, 255, 255)) << size.width();
  }
  // The text is dark ink right of the middle, and nowhere left of it.
  const QImage img = ReadFile("Photos/sample.wmf");
  auto dark = [&](int x0, int x1) {
    int n = 0;
    for (int y = 53; y < 76; ++y)
      for (int x = x0; x < x1; ++x) n += qGray(img.pixel(x, y)) < 96;
    return n;
  };
  EXPECT_GT(dark(100, 192), 60);
  EXPECT_EQ(dark(0, 100), 0);
}

TEST_F(WmfPluginTest, PlainTakesTheSizeLibwmfFindsDrawn) {
  // Twips: 1500 x 750 drawn is 100 x 50 at 96 an inch.
  WmfWriter w;
  w.Pen(0, 0, 5).Brush(WmfWriter::Colour(255, 0, 0)).Rectangle(0, 0, 750, 750);
  w.Brush(WmfWriter::Colour(0, 0, 255)).Rectangle(750, 0, 1500, 750);
  Write("Photos/plain.jpg", w.Plain());
  EXPECT_EQ(HeaderOf("Photos/plain.jpg"), std::make_pair(QByteArray("wmf"), QSize(100, 50)));
  const QImage img = ReadFile("Photos/plain.jpg");
  ASSERT_EQ(img.size(), QSize(100, 50));
  EXPECT_EQ(img.pixel(20, 25), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(80, 25), qRgb(0, 0, 255));
  // The sample, drawn without its frame, is as large as its ink.
  Write("Photos/sample.wmf", SampleDrawing().Plain());
  const QSize sample = HeaderOf("Photos/sample.wmf").second;
  EXPECT_TRUE(sample.width() > 180 && sample.width() <= 192 && sample.height() > 76 && sample.height() <= 96)
      << sample.width() << " x " << sample.height();
  EXPECT_EQ(ReadFile("Photos/sample.wmf").size(), sample);
}

TEST_F(WmfPluginTest, HugeNominalSizeIsDrawnAtTheSizeAsked) {
  Write("Photos/huge.wmf", HugePlaceable());
  // Whole, it would pass Qt's allocation limit: refused before anything is drawn.
  EXPECT_TRUE(ReadFile("Photos/huge.wmf").isNull());
  const QImage small = ReadFile("Photos/huge.wmf", QSize(100, 49));
  ASSERT_EQ(small.size(), QSize(100, 49));
  // The drawing sits in the frame's top-left corner, the rest is paper.
  EXPECT_EQ(small.pixel(99, 48), qRgb(255, 255, 255));
}

TEST_F(WmfPluginTest, WhatIsNoWmfIsNoPicture) {
  const std::string good = SamplePlaceable();
  std::string noInch = good, emptyFrame = good, badVersion = good;
  noInch[14] = noInch[15] = 0;
  emptyFrame[10] = emptyFrame[6], emptyFrame[11] = emptyFrame[7];
  badVersion[22 + 4] = 2;
  const std::pair<const char*, std::string> cases[] = {
      {"empty.wmf", ""},         {"short.wmf", good.substr(0, 30)}, {"no-inch.wmf", noInch},
      {"no-frame.wmf", emptyFrame}, {"version.wmf", badVersion},    {"text.wmf", "Not a picture at all"}};
  for (const auto& [name, bytes] : cases) {
    Write(std::string("Photos/") + name, bytes);
    EXPECT_TRUE(HeaderOf(std::string("Photos/") + name).first.isEmpty()) << name;
  }
  // Over 64 MB (a sparse file: nothing is written, nothing is read).
  Write("Photos/big.wmf", good);
  ASSERT_TRUE(QFile::resize(QString::fromStdString(Path("Photos/big.wmf")), (64 << 20) + 1));
  EXPECT_TRUE(HeaderOf("Photos/big.wmf").first.isEmpty());
  ASSERT_TRUE(QFile::resize(QString::fromStdString(Path("Photos/big.wmf")), 64 << 20));
  EXPECT_EQ(HeaderOf("Photos/big.wmf").first, "wmf");
  // Records cut short: drawn as far as they go or refused, never more.
  Write("Photos/cut.wmf", good.substr(0, good.size() / 2));
  const QImage cut = ReadFile("Photos/cut.wmf");
  EXPECT_TRUE(cut.isNull() || cut.size() == QSize(192, 96));
}
