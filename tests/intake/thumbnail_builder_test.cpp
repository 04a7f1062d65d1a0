// The thumbnail window as its callers use it: load, hand it the list, show it
// modally; the files it leaves behind are the result.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <map>
#include <filesystem>
#include <functional>

#include "core/modquillmont.h"
#include "core/thumbnail_maker.h"
#include "intake/frmThumbnail.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "support/bytes_read.h"
#include "support/crafted_jpeg.h"
#include "support/fs_faults.h"
#include "support/jpeg_writer.h"
#include "support/mjpeg_avi.h"
#include "support/oriented_jpeg.h"
#include "support/pictures.h"
#include "support/temp_archive.h"
#include "support/wmf_pictures.h"
#include "support/yield_watch.h"

namespace {

struct Bmp {
  QByteArray format;
  QImage image;
};

Bmp LoadByContent(const std::string& bytes) {
  QByteArray data = QByteArray::fromStdString(bytes);
  QBuffer buf(&data);
  QImageReader r(&buf);
  Bmp out;
  out.format = r.format();
  out.image = r.read().convertToFormat(QImage::Format_RGB32);
  return out;
}

bool IsUniform(const QImage& img) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != img.pixel(0, 0)) return false;
  return true;
}

QImage Halves(QColor left, QColor right, int w = 160, int h = 120) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(right);
  QPainter(&img).fillRect(0, 0, w / 2, h, left);
  return img;
}

// Watches the window at each of its yields while it runs.
class Watcher : public AtEveryYield {
public:
  explicit Watcher(std::function<void(frmThumbnail&)> each)
      : AtEveryYield([each = std::move(each)] {
          if (frmThumbnail::IsLoaded()) each(frmThumbnail::Get());
        }) {}
};

}  // namespace

class ThumbnailBuilderTest : public TempArchive {
protected:
  void Run(const std::vector<std::string>& list) {
    frmThumbnail::Get().SetMissingList(list);
    frmThumbnail::Get().exec();
    EXPECT_FALSE(frmThumbnail::IsLoaded()) << "the run unloads the window";
  }
  Bmp Thumb(const std::string& name) { return LoadByContent(Read("Photo_Thumbnails/" + name)); }
  std::int64_t Time(const std::string& rel) { return qm::FileDateTime(Path(rel)); }
  // After a close during item 3 of n clips (dated 1100000000 + 60 x i, old
  // thumbnails "BM-old" dated 1000): the first three built and dated, the rest untouched.
  void ExpectFirstThreeBuilt(const std::vector<std::string>& list, int n) {
    for (int i = 1; i <= n; ++i) {
      const std::string rel = "Photo_Thumbnails/" + list[size_t(i)];
      if (i <= 3) {
        EXPECT_EQ(Thumb(list[size_t(i)]).image.size(), QSize(100, 75)) << rel;
        EXPECT_EQ(Time(rel), 1100000000 + 60 * i) << rel;
      } else {
        EXPECT_EQ(Read(rel), "BM-old") << rel;
        EXPECT_EQ(Time(rel), 1000) << rel;
      }
    }
  }
};

TEST_F(ThumbnailBuilderTest, PicturesFitTheBoxAsBmpUnderTheirOwnNameDatedAndCaptionedAsShown) {
  // Plain photos, two turned by their camera (one mirrored as well), and WMF
  // drawings of their own size and of billions of pixels.
  AddJpeg("land.jpg", 640, 480);
  AddJpeg("port.jpg", 480, 640);
  QImage square(300, 300, QImage::Format_RGB32);
  square.fill(Qt::darkGreen);
  AddPhoto("square.png", EncodedImage(square, "PNG"));
  AddPhoto("turned.jpg", OrientedJpeg(QuarterColours(480, 640), 6));
  AddPhoto("mirrored.jpg", OrientedJpeg(QuarterColours(640, 480), 7));
  AddPhoto("drawing.jpg", SamplePlaceable());
  AddPhoto("huge.wmf", HugePlaceable());
  const struct {
    const char* name;
    QSize size;
    const char* caption;
  } want[] = {{"land.jpg", {100, 75}, "(width=640)(height=480)"},
              {"port.jpg", {75, 100}, "(width=480)(height=640)"},
              {"square.png", {100, 100}, "(width=300)(height=300)"},
              {"turned.jpg", {75, 100}, "(width=480)(height=640)"},
              {"mirrored.jpg", {100, 75}, "(width=640)(height=480)"},
              {"drawing.jpg", {100, 50}, "(width=192)(height=96)"},
              {"huge.wmf", {100, 49}, "(width=3145632)(height=1536000)"}};
  std::vector<std::string> list{""};
  for (const auto& c : want) {
    list.push_back(c.name);
    SetTime("Photos/" + list.back(), 1400000000 + std::int64_t(list.size()));
  }

  std::map<std::string, std::string> captions;
  Watcher w([&](frmThumbnail& f) {
    captions[f.lbFilename->text().toStdString()] =
        f.lbPhotoSize[0]->text().toStdString() + f.lbPhotoSize[1]->text().toStdString();
  });
  Run(list);

  for (std::size_t i = 0; i < std::size(want); ++i) {
    SCOPED_TRACE(want[i].name);
    const Bmp b = Thumb(want[i].name);
    EXPECT_EQ(b.format, "bmp");
    EXPECT_EQ(b.image.size(), want[i].size);
    EXPECT_EQ(Time(std::string("Photo_Thumbnails/") + want[i].name), 1400000002 + std::int64_t(i));
    EXPECT_EQ(captions[want[i].name], want[i].caption);
  }
  // The picture itself, not a blank box: AddJpeg paints a yellow top-left quarter.
  const QImage land = Thumb("land.jpg").image;
  EXPECT_GT(qRed(land.pixel(10, 10)), 180);
  EXPECT_GT(qBlue(land.pixel(90, 70)), 120);
  EXPECT_TRUE(QuartersStandUpright(Thumb("turned.jpg").image));
  EXPECT_TRUE(QuartersStandUpright(Thumb("mirrored.jpg").image));
  EXPECT_EQ(SampleAt(Thumb("drawing.jpg").image, 24, 12), qRgb(255, 0, 0));
  EXPECT_EQ(SampleAt(Thumb("drawing.jpg").image, 146, 12), qRgb(0, 160, 0));
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(ThumbnailBuilderTest, FullPathEntriesAndLinkedPhotosUseTheListedName) {
  AddJpeg("beach.jpg", 640, 480);
  SetTime("Photos/beach.jpg", 1300000000);
  // Linked in place from elsewhere under another file name.
  QImage img(300, 400, QImage::Format_RGB32);
  img.fill(Qt::red);
  std::filesystem::create_directories(Path("Elsewhere"));
  ASSERT_TRUE(img.save(QString::fromStdString(Path("Elsewhere/DSC001.jpg")), "JPEG"));
  SetTime("Elsewhere/DSC001.jpg", 1300000500);
  Write("Photo_Info/Image0100.jpg.info", CrLf({"PhotoPath=" + Path("Elsewhere/DSC001.jpg"), "TITLE="}));

  const std::string fullEntry = PhotosFolder + "beach.jpg";
  std::vector<std::string> shown;
  Watcher w([&](frmThumbnail& f) {
    const std::string s = f.lbFilename->text().toStdString();
    if (shown.empty() || shown.back() != s) shown.push_back(s);
  });
  Run({"", fullEntry, "Image0100.jpg"});

  EXPECT_EQ(Thumb("beach.jpg").image.size(), QSize(100, 75));
  EXPECT_EQ(Time("Photo_Thumbnails/beach.jpg"), 1300000000);
  const QImage linked = Thumb("Image0100.jpg").image;
  EXPECT_EQ(linked.size(), QSize(75, 100));
  EXPECT_GT(qRed(linked.pixel(30, 50)), 200);
  EXPECT_EQ(Time("Photo_Thumbnails/Image0100.jpg"), 1300000500);
  EXPECT_FALSE(Exists("Photo_Thumbnails/DSC001.jpg"));
  EXPECT_NE(std::find(shown.begin(), shown.end(), fullEntry), shown.end()) << "the entry is shown as passed";
}

TEST_F(ThumbnailBuilderTest, NamesPassThroughAsBytes) {
  const std::string name = "caf\xe9 \xc3\xa9t\xc3\xa9.jpg";  // not valid UTF-8 as a whole
  QImage img(64, 48, QImage::Format_RGB32);
  img.fill(Qt::blue);
  AddPhoto(name, EncodedImage(img, "JPEG"));
  Run({"", name});
  EXPECT_EQ(Thumb(name).image.size(), QSize(100, 75));
  EXPECT_GT(qBlue(Thumb(name).image.pixel(50, 37)), 200);
  // The temporary folder's own clean-up goes through QString and cannot remove these.
  for (const std::string& rel : {"Photos/" + name, "Photo_Info/" + name + ".info", "Photo_Thumbnails/" + name})
    qm::ResumeNext([&] { qm::DeleteFile(Path(rel)); });
}

TEST_F(ThumbnailBuilderTest, ClipGetsItsFirstFrameIn100By75AndTheCaptionsStay) {
  AddJpeg("beach.jpg", 640, 480);
  std::vector<QImage> frames{Halves(Qt::red, Qt::blue)};
  for (int i = 0; i < 9; ++i) frames.push_back(Halves(Qt::green, Qt::green));
  AddPhoto("party.avi", MjpegAviBytes(frames));
  SetTime("Photos/party.avi", 1200000000);

  std::string lastName;
  Watcher w([&](frmThumbnail& f) { lastName = f.lbFilename->text().toStdString(); });
  Run({"", "beach.jpg", "party.avi"});

  const Bmp b = Thumb("party.avi");
  EXPECT_EQ(b.format, "bmp");
  ASSERT_EQ(b.image.size(), QSize(100, 75));
  EXPECT_FALSE(IsUniform(b.image));
  const QRgb left = b.image.pixel(20, 37), right = b.image.pixel(80, 37);
  EXPECT_GT(qRed(left), 180);
  EXPECT_LT(qGreen(left), 80);
  EXPECT_GT(qBlue(right), 180);
  EXPECT_LT(qGreen(right), 80);
  EXPECT_EQ(Time("Photo_Thumbnails/party.avi"), 1200000000);
  EXPECT_EQ(lastName, "beach.jpg");
}

TEST_F(ThumbnailBuilderTest, ClosingDuringTheThirdOfTenFinishesItAndTouchesNoLaterOne) {
  std::vector<std::string> list{""};
  for (int i = 1; i <= 10; ++i) {
    const std::string name = "img" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".jpg";
    AddJpeg(name, 640, 480);
    SetTime("Photos/" + name, 1100000000 + 60 * i);
    Write("Photo_Thumbnails/" + name, "BM-old");
    SetTime("Photo_Thumbnails/" + name, 1000);
    list.push_back(name);
  }
  bool closed = false, goneAtOnce = false;
  Watcher w([&](frmThumbnail& f) {
    if (closed || f.lbFilename->text() != "img03.jpg") return;
    closed = true;
    frmThumbnail::Unload();
    goneAtOnce = !frmThumbnail::IsLoaded();
  });
  Run(list);

  ASSERT_TRUE(closed);
  EXPECT_TRUE(goneAtOnce);
  EXPECT_TRUE(StopThumbnails);
  ExpectFirstThreeBuilt(list, 10);
}

TEST_F(ThumbnailBuilderTest, ProgressBarGrowsToFullLength) {
  {
    frmThumbnail& f = frmThumbnail::Get();
    const int full = f.shpProgress->width();
    EXPECT_EQ(full, 273);
    f.UpdateThumbnailProgress(0.5f, 1);
    EXPECT_NEAR(f.pctProgress->width(), full / 2, 1);
    f.UpdateThumbnailProgress(1.5f, 1);  // out of range: nothing happens
    f.UpdateThumbnailProgress(-0.1f, 1);
    f.UpdateThumbnailProgress(0.0f, 0);
    EXPECT_NEAR(f.pctProgress->width(), full / 2, 1);
    frmThumbnail::Unload();
    EXPECT_FALSE(frmThumbnail::IsLoaded());
  }
  AddJpeg("a.jpg", 64, 48);
  AddJpeg("b.jpg", 64, 48);
  AddJpeg("c.jpg", 64, 48);
  int lastWidth = -1, fullWidth = 0;
  Watcher w([&](frmThumbnail& f) {
    lastWidth = f.pctProgress->width();
    fullWidth = f.shpProgress->width();
  });
  Run({"", "a.jpg", "b.jpg", "c.jpg"});
  EXPECT_EQ(lastWidth, fullWidth);
}

TEST_F(ThumbnailBuilderTest, NeverWritesOntoThePhotoEvenWhenTheFoldersAreOne) {
  AddJpeg("beach.jpg", 640, 480);
  QImage img(300, 400, QImage::Format_RGB32);
  img.fill(Qt::red);
  std::filesystem::create_directories(Path("Elsewhere"));
  ASSERT_TRUE(img.save(QString::fromStdString(Path("Elsewhere/DSC001.jpg")), "JPEG"));
  Write("Photo_Info/Image0100.jpg.info", CrLf({"PhotoPath=" + Path("Elsewhere/DSC001.jpg")}));
  const std::string photo = Read("Photos/beach.jpg");
  ThumbnailsFolder = PhotosFolder;

  Run({"", "beach.jpg", "Image0100.jpg"});

  EXPECT_EQ(Read("Photos/beach.jpg"), photo);
  EXPECT_TRUE(LogHas("An error has occurred in 'CreateThumbnails'. Error = "));
  EXPECT_EQ(LoadByContent(Read("Photos/Image0100.jpg")).image.size(), QSize(75, 100)) << "the run goes on";
}

TEST_F(ThumbnailBuilderTest, AUsersFilesUnderThumbnailNamesAreLeftAloneAndLoggedOnceAStart) {
  // The thumbnail folder set to a folder of the user's pictures.
  const std::vector<std::string> list = {"", "beach.jpg", "notes.jpg", "link.jpg", "empty.jpg", "old.jpg", "new.jpg"};
  for (size_t i = 1; i < list.size(); ++i) AddJpeg(list[i], 64, 48);
  const std::string beach = Read("Photos/beach.jpg");
  Write("Pictures/beach.jpg", beach);
  Write("Pictures/notes.jpg", "the user's notes");
  std::filesystem::create_symlink(Path("Pictures/beach.jpg"), Path("Pictures/link.jpg"));
  Write("Pictures/empty.jpg", "");
  Write("Pictures/old.jpg", EncodedImage(Halves(Qt::red, Qt::blue, 10, 10), "BMP"));
  ThumbnailsFolder = Path("Pictures/");

  Run(list);
  Run(list);

  EXPECT_EQ(Read("Pictures/beach.jpg"), beach);
  EXPECT_EQ(Read("Pictures/notes.jpg"), "the user's notes");
  EXPECT_TRUE(std::filesystem::is_symlink(Path("Pictures/link.jpg")));
  for (const char* made : {"empty.jpg", "old.jpg", "new.jpg"})
    EXPECT_EQ(LoadByContent(Read(std::string("Pictures/") + made)).image.size(), QSize(100, 75)) << made;
  EXPECT_EQ(LogCount("left alone"), 3u);
  for (const char* kept : {"beach.jpg", "notes.jpg", "link.jpg"})
    EXPECT_TRUE(LogHas("A file that is no thumbnail has the thumbnail's name (" + Path("Pictures/") + kept +
                       "); it is left alone"))
        << kept;
}

TEST_F(ThumbnailBuilderTest, SaveFailuresAreLoggedAndTheRunGoesOn) {
  AddJpeg("a.jpg", 64, 48);
  AddJpeg("b.jpg", 64, 48);
  std::filesystem::create_directories(Path("Photo_Thumbnails/a.jpg"));  // a folder in the way
  Run({"", "a.jpg", "b.jpg"});
  EXPECT_TRUE(LogHas("An error has occurred in 'CreateThumbnails'. Error = "));
  EXPECT_TRUE(LogHas("Photo_Thumbnails/a.jpg)"));
  EXPECT_EQ(Thumb("b.jpg").image.size(), QSize(100, 75));

  ThumbnailsFolder = Root() + "/NoSuchFolder/";
  Run({"", "a.jpg"});
  EXPECT_TRUE(LogHas("Path not found (" + Root() + "/NoSuchFolder/a.jpg)"));
}

TEST_F(ThumbnailBuilderTest, NotWritableThumbnailFolderIsLoggedAndLeftAlone) {
  AddJpeg("a.jpg", 64, 48);
  Write("Photo_Thumbnails/a.jpg", "BM-old");
  const size_t before = LogEntries().size();
  {
    ReadOnlyFolder ro(Path("Photo_Thumbnails"));
    if (!ro.ok()) GTEST_SKIP() << "cannot make a folder read-only here";
    Run({"", "a.jpg"});
  }
  EXPECT_EQ(Read("Photo_Thumbnails/a.jpg"), "BM-old");
  EXPECT_EQ(LogEntries().size(), before + 1);
  EXPECT_TRUE(LogHas("An error has occurred in 'CreateThumbnails'. Error = "));
  EXPECT_EQ(qm::ListFiles(Path("Photo_Thumbnails")), std::vector<std::string>{"a.jpg"});
}

TEST_F(ThumbnailBuilderTest, UnloadablePicturesStillGetABlankThumbnail) {
  AddPhoto("broken.jpg", "not a picture at all");
  SetTime("Photos/broken.jpg", 1250000000);
  Run({"", "broken.jpg", "ghost.jpg"});  // ghost.jpg has no information file

  for (const char* name : {"broken.jpg", "ghost.jpg"}) {
    const Bmp b = Thumb(name);
    EXPECT_EQ(b.format, "bmp") << name;
    EXPECT_EQ(b.image.size(), BlankThumbnailSize()) << name;
    EXPECT_TRUE(IsUniform(b.image)) << name;
  }
  EXPECT_EQ(Time("Photo_Thumbnails/broken.jpg"), 1250000000);
  EXPECT_TRUE(LogHas("'GetPhotoLink'"));
}

TEST_F(ThumbnailBuilderTest, EmptyListClosesAtOnce) {
  Run({""});
  Run({});
  EXPECT_TRUE(qm::ListFiles(Path("Photo_Thumbnails")).empty());
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(ThumbnailBuilderTest, ClosingWhileTheItemInHandIsStillDecodingSavesAndDatesIt) {
  std::vector<std::string> list{""};
  for (int i = 1; i <= 6; ++i) {
    const std::string name = "img0" + std::to_string(i) + ".jpg";
    if (i == 3) {
      // Large, grainy and progressive: by far the slowest to decode.
      QImage img(4800, 3600, QImage::Format_RGB32);
      unsigned seed = 3;
      for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) line[x] = qRgb(int((seed = seed * 1664525u + 1013904223u) >> 24), 90, 40);
      }
      AddPhoto(name, JpegBytes(img, true, 95));
    } else {
      AddJpeg(name, 64, 48);
    }
    SetTime("Photos/" + name, 1100000000 + 60 * i);
    Write("Photo_Thumbnails/" + name, "BM-old");
    SetTime("Photo_Thumbnails/" + name, 1000);
    list.push_back(name);
  }
  bool closed = false;
  int yieldsAfterTwo = 0;
  Watcher w([&](frmThumbnail& f) {
    // Item 2 is saved; its bar step and the end of its turn yield, then the window
    // yields while it waits for item 3.
    if (closed || f.pctProgress->width() != qRound(2.0 / 6 * f.shpProgress->width()) || ++yieldsAfterTwo < 3)
      return;
    closed = true;
    frmThumbnail::Unload();
  });
  Run(list);

  ASSERT_TRUE(closed);
  ExpectFirstThreeBuilt(list, 6);
}

TEST_F(ThumbnailBuilderTest, PicturesTooLargeToDecodeGetABlankDatedThumbnailAndOneLogLineEach) {
  // A few hundred bytes each, claiming 64798 x 10518 pixels: the progressive ones
  // would need 4 GB of coefficients and are refused; the others decode at 1/8 a row
  // at a time, and the start stays small.
  std::vector<std::string> list{""};
  for (int i = 1; i <= 4; ++i) {
    list.push_back("bomb" + std::to_string(i) + ".jpg");
    // The last one turned a quarter by its camera tag: its size is told upright.
    const std::string bomb = JpegClaiming(64798, 10518, true);
    AddPhoto(list.back(), i < 4 ? bomb : WithSegment(bomb, ExifSegment({{0x0112, 3, 6}})));
    SetTime("Photos/" + list.back(), 1250000000 + i);
    list.push_back("flat" + std::to_string(i) + ".jpg");
    AddPhoto(list.back(), JpegClaiming(64798, 10518, false));
    list.push_back("fine" + std::to_string(i) + ".jpg");
    AddJpeg(list.back(), 640, 480);
  }
  Run(list);
  EXPECT_LT(PeakKb(), 300 * 1024);

  for (int i = 1; i <= 4; ++i) {
    const std::string bomb = "bomb" + std::to_string(i) + ".jpg";
    const Bmp b = Thumb(bomb);
    EXPECT_EQ(b.format, "bmp") << bomb;
    EXPECT_EQ(b.image.size(), BlankThumbnailSize()) << bomb;
    EXPECT_TRUE(IsUniform(b.image)) << bomb;
    EXPECT_EQ(Time("Photo_Thumbnails/" + bomb), 1250000000 + i);
    EXPECT_EQ(Thumb("flat" + std::to_string(i) + ".jpg").format, "bmp");
    EXPECT_EQ(Thumb("fine" + std::to_string(i) + ".jpg").image.size(), QSize(100, 75));
  }
  const auto log = LogEntries();
  ASSERT_EQ(log.size(), 4u) << "one line for each picture too large to decode";
  for (const std::string& line : log) {
    EXPECT_NE(line.find("An error has occurred in 'CreateThumbnails'. Error = "), std::string::npos) << line;
    EXPECT_NE(line.find(&line == &log.back() ? "10518 x 64798" : "64798 x 10518"), std::string::npos) << line;
  }
}

TEST_F(ThumbnailBuilderTest, PicturesLargerThanTheBudgetDecodeAloneAndGetRealThumbnails) {
  // Under a small budget, as a camera's photos are under the machine's: a progressive
  // JPEG with colour at full size, a progressive panorama, a PNG of sixteen bits a
  // channel and a plain PNG each take more than the budget, yet the enlarged view
  // opens them.
  constexpr std::int64_t kBudget = std::int64_t(16) << 20;
  AddPhoto("full.jpg", LibjpegBytes(QuarterColours(2400, 1600), {.progressive = true, .fullColour = true}));
  AddPhoto("pano.jpg", JpegBytes(QuarterColours(8000, 2000), true));
  AddPhoto("deep.png", EncodedImage(QuarterColours(2100, 1400).convertToFormat(QImage::Format_RGBA64), "PNG"));
  AddPhoto("wide.png", EncodedImage(QuarterColours(3000, 1500), "PNG"));
  std::vector<std::string> list{"", "full.jpg", "pano.jpg", "deep.png", "wide.png"};
  for (int i = 0; i < 12; ++i) {
    list.insert(list.begin() + 1 + i % 5, "small" + std::to_string(i) + ".jpg");
    AddJpeg(list[size_t(1 + i % 5)], 320, 240);
  }
  frmThumbnail::Get().DecodeBudget = kBudget;
  Run(list);

  const std::pair<const char*, QSize> large[] = {
      {"full.jpg", {100, 67}}, {"pano.jpg", {100, 25}}, {"deep.png", {100, 67}}, {"wide.png", {100, 50}}};
  for (const auto& [name, box] : large) {
    ASSERT_GT(PlanThumbnail(Path(std::string("Photos/") + name)).bytes, kBudget) << name;
    const QImage t = Thumb(name).image;
    EXPECT_EQ(t.size(), box) << name;
    EXPECT_GT(qRed(t.pixel(2, 2)), 150) << name;
    EXPECT_GT(qBlue(t.pixel(98, box.height() - 2)), 120) << name;
  }
  for (size_t i = 1; i < list.size(); ++i) EXPECT_FALSE(IsUniform(Thumb(list[i]).image)) << list[i];
  EXPECT_TRUE(LogEntries().empty());
}
