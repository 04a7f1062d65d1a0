// Every reader of pictures finds a WMF by its content, takes its size from its
// header and has it drawn at the size it shows, charged at that size.
#include <gtest/gtest.h>

#include <QFile>

#include "core/picture_decode.h"
#include "core/thumbnail_maker.h"
#include "core/viewer_rules.h"
#include "platform/runtime_error.h"
#include "support/temp_archive.h"
#include "support/wmf_pictures.h"

namespace {

class WmfReaders : public TempArchive {
protected:
  void SetUp() override {
    TempArchive::SetUp();
    Write("Photos/sample.jpg", SamplePlaceable());  // the name says nothing
    Write("Photos/huge.wmf", HugePlaceable());
  }
  // The error the view's reader gives for a picture at full size; 0 for none.
  int ErrorOfWholeRead(const std::string& rel) {
    try {
      viewer::ReadPicture(Path(rel), nullptr);
    } catch (const qm::RuntimeError& e) {
      return e.Number();
    }
    return 0;
  }
  // The area the drawing was shrunk into: the red quarter stays red.
  static void ExpectSample(const QImage& img) {
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(SampleAt(img, 24, 12), qRgb(255, 0, 0));
    EXPECT_EQ(SampleAt(img, 146, 12), qRgb(0, 160, 0));
  }
};

}  // namespace

TEST_F(WmfReaders, HeaderGivesTheSizeAndThumbnailsAreDrawnAndChargedInTheirBox) {
  const ThumbnailPlan plan = PlanThumbnail(Path("Photos/huge.wmf"));
  const pictures::Header& h = plan.header;
  EXPECT_EQ(h.format, "wmf");
  EXPECT_TRUE(h.vector);
  EXPECT_FALSE(h.jpeg);
  EXPECT_EQ(h.size, QSize(32767 * 96, 16000 * 96));
  EXPECT_EQ(plan.request, QSize(100, 49));
  EXPECT_LT(plan.bytes, kThumbnailBudgetFloor / 100);
  // Whole, it would be far past any budget.
  EXPECT_GT(pictures::DecodeBytes(h, 8, QSize()), pictures::kViewerBudget);

  for (bool reduced : {true, false}) {
    const ThumbnailPicture t = LoadThumbnailPicture(Path("Photos/sample.jpg"), reduced);
    ASSERT_TRUE(t.loaded);
    EXPECT_EQ(t.size, QSize(192, 96));
    EXPECT_EQ(t.box, QSize(100, 50));
    ExpectSample(t.picture);
  }
  Write("Photos/plain.wmf", SampleDrawing().Plain());
  const ThumbnailPicture plain = LoadThumbnailPicture(Path("Photos/plain.wmf"));
  ASSERT_TRUE(plain.loaded);
  EXPECT_EQ(plain.picture.size(), ThumbnailBoxSize(plain.size.width(), plain.size.height()));
}

TEST_F(WmfReaders, TheViewsDrawAtTheReductionTheyShow) {
  const viewer::DecodedPicture third = viewer::ReadPicture(Path("Photos/sample.jpg"), [](QSize) { return 3; });
  EXPECT_EQ(third.size, QSize(192, 96));
  EXPECT_EQ(third.factor, 3);
  EXPECT_EQ(third.image.size(), QSize(64, 32));
  ExpectSample(third.image);
  const viewer::DecodedPicture whole = viewer::ReadPicture(Path("Photos/sample.jpg"), nullptr);
  EXPECT_EQ(whole.factor, 1);
  EXPECT_EQ(whole.image.size(), QSize(192, 96));

  // A huge one is too large to hold at full size (the view opens it at its fit).
  EXPECT_EQ(ErrorOfWholeRead("Photos/huge.wmf"), pictures::kErrOutOfMemory);

  // A JPEG still decodes at the library's own reduction within the one shown.
  AddJpeg("big.jpg", 1600, 1200);
  const viewer::DecodedPicture jpeg = viewer::ReadPicture(Path("Photos/big.jpg"), [](QSize) { return 3; });
  EXPECT_EQ(jpeg.factor, 2);
  EXPECT_EQ(jpeg.image.size(), QSize(800, 600));
}

TEST_F(WmfReaders, AWmfOver64MegabytesOrWithoutASizeIsAnInvalidPicture) {
  Write("Photos/long.wmf", SamplePlaceable());
  ASSERT_TRUE(QFile::resize(QString::fromStdString(Path("Photos/long.wmf")), (64 << 20) + 2));
  // A plain header and no record: libwmf finds nothing drawn, so no size.
  Write("Photos/empty.wmf", SampleDrawing().Plain().substr(0, 18));
  for (const char* name : {"long.wmf", "empty.wmf"}) {
    const std::string path = Path(std::string("Photos/") + name);
    QFile file;
    ASSERT_TRUE(pictures::OpenPictureFile(file, path));
    EXPECT_TRUE(pictures::ReadHeader(file).format.isEmpty()) << name;
    EXPECT_FALSE(LoadThumbnailPicture(path).loaded) << name;
    EXPECT_EQ(ErrorOfWholeRead(std::string("Photos/") + name), qm::ErrInvalidPicture) << name;
  }
}
