// The enlarged view: fit, zoom steps, reduced decoding, dragging and pictures that
// cannot be opened, on the real main window with generated pictures.
#include <gtest/gtest.h>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <cstring>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/viewer_rules.h"
#include "platform/runtime_error.h"
#include "support/bytes_read.h"
#include "support/crafted_jpeg.h"
#include "support/mjpeg_avi.h"
#include "support/oriented_jpeg.h"
#include "support/wmf_pictures.h"
#include "window_fixture.h"

namespace {

using viewer::FitDenominator;

bool Near(QColor a, QColor b, int tolerance = 40) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

class Viewer : public WindowTest {
protected:
  void Picture(const std::string& name, int w, int h, const char* format = "JPEG") {
    SavePhoto(name, QuarterColours(w, h), format, 92);
    Info(name);
  }
  void Info(const std::string& name) {
    Write("Photo_Info/" + name + ".info", CrLf({"PhotoPath=\\Photos\\" + name, "TITLE=" + name, "PHOTOGRAPHER=",
                                                "YEAR=", "PEOPLE=", "PLACE=", "EVENT=", "KEYWORDS="}));
  }
  frmMain& Open(const std::vector<std::string>& names) {
    std::vector<std::string> lines(names.begin(), names.end());
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf(lines));
    return frmMain::Get();
  }
  // Opens photo k of page 1 as a double click on its thumbnail does.
  static void OpenPhoto(frmMain& f, int k) { f.imgThumbnail_DblClick(k - 1); }
};

TEST(ViewerRules, FitIsTheSmallestScaleStrictlyInsideTheArea) {
  EXPECT_EQ(FitDenominator(544, 468), 1);
  EXPECT_EQ(FitDenominator(545, 469), 2);
  EXPECT_EQ(FitDenominator(546, 469), 2);
  EXPECT_EQ(FitDenominator(545, 470), 2);
  EXPECT_EQ(FitDenominator(545, 10), 2);
  EXPECT_EQ(FitDenominator(10, 469), 2);
  EXPECT_EQ(FitDenominator(1090, 300), 3);
  EXPECT_EQ(FitDenominator(1089, 300), 2);
  EXPECT_EQ(FitDenominator(1, 1), 1);
  // Past twenty steps the fit goes on.
  EXPECT_EQ(FitDenominator(10900, 100), 21);
  EXPECT_EQ(FitDenominator(100, 9380), 21);
  EXPECT_EQ(FitDenominator(20000, 15000), 37);
  EXPECT_EQ(FitDenominator(2000000000, 1), 3669725);
}

TEST(ViewerRules, ZoomStepsGoThroughFullSizeOnce) {
  std::vector<int> in{-3};
  for (int i = 0; i < 4; ++i) in.push_back(*viewer::ZoomInStep(in.back()));
  EXPECT_EQ(in, (std::vector<int>{-3, -2, -1, 2, 3}));
  std::vector<int> out{3};
  for (int i = 0; i < 4; ++i) out.push_back(*viewer::ZoomOutStep(out.back()));
  EXPECT_EQ(out, (std::vector<int>{3, 2, 1, -2, -3}));
  EXPECT_EQ(viewer::ZoomInStep(1), 2);
  EXPECT_EQ(viewer::ZoomOutStep(-1), -2);
  EXPECT_EQ(viewer::ZoomInStep(32767), std::nullopt);
  EXPECT_EQ(viewer::ZoomOutStep(-32768), std::nullopt);
  EXPECT_EQ(viewer::ZoomCaption(-1), "Zoom  1/1");
  EXPECT_EQ(viewer::ZoomCaption(1), "Zoom  1/1");
  EXPECT_EQ(viewer::ZoomCaption(2), "Zoom  2/1");
  EXPECT_EQ(viewer::ZoomCaption(-21), "Zoom  1/21");
}

TEST(ViewerRules, SizesPlacesAndDecodeReductions) {
  const viewer::Extent third = viewer::ZoomedSize(1000, 800, -3);
  EXPECT_EQ(third.width, 333);
  EXPECT_EQ(third.height, 267);
  const viewer::Extent huge = viewer::ZoomedSize(1000, 800, 32767);
  EXPECT_EQ(huge.width, 32767000);
  EXPECT_FALSE(viewer::ExtentAllowed(huge));
  EXPECT_TRUE(viewer::ExtentAllowed(viewer::ZoomedSize(1000, 800, 16000)));
  EXPECT_EQ(viewer::CentredOrigin(545, 544), 0);
  EXPECT_EQ(viewer::CentredOrigin(545, 1000), -228);
  for (auto [z, d] : {std::pair{-1, 1}, {1, 1}, {7, 1}, {-2, 2}, {-3, 2}, {-4, 4}, {-7, 4}, {-8, 8}, {-40, 8}})
    EXPECT_EQ(viewer::DecodeFactor(z), d) << z;
  EXPECT_EQ(viewer::DecodeSize(4001, 3001, 8), QSize(500, 375));
  EXPECT_EQ(viewer::DecodeSize(5, 3, 8), QSize(1, 1));
}

TEST_F(Viewer, FilesThatHoldNoPictureAreInvalidMissingOnesNotFound) {
  Write("Photos/text.jpg", "this is no picture\r\n");
  Write("Photos/empty.jpg", "");
  for (const char* name : {"text.jpg", "empty.jpg", "none.jpg"}) {
    try {
      viewer::ReadPicture(Path(std::string("Photos/") + name), nullptr);
      ADD_FAILURE() << name;
    } catch (const qm::RuntimeError& e) {
      EXPECT_EQ(e.Number(), name[0] == 'n' ? qm::ErrFileNotFound : qm::ErrInvalidPicture) << name;
    }
  }
}

TEST(ImageBoxWidget, DrawsOnlyTheVisiblePartOfAFarEnlargedPicture) {
  QWidget area;
  area.resize(200, 200);
  ImageBox box(&area);
  box.setPicture(QuarterColours(1000, 1000));
  const long before = PeakKb();
  // At 8000 times a copy would take terabytes; the box must still draw.
  const int z = 8000;
  box.setGeometry(100 - 250 * z, 100 - 250 * z, 1000 * z, 1000 * z);
  QImage shot = area.grab().toImage();
  EXPECT_TRUE(Near(shot.pixelColor(100, 100), QColor(220, 30, 30)));
  box.move(100 - 750 * z, 100 - 750 * z);
  shot = area.grab().toImage();
  EXPECT_TRUE(Near(shot.pixelColor(100, 100), QColor(240, 240, 240)));
  EXPECT_LT(PeakKb() - before, 100 * 1024);
  EXPECT_EQ(box.toolTip(), "Click-n-drag to move image");
}

TEST_F(Viewer, FitThresholdsOnTheWindow) {
  Picture("a.jpg", 545, 469);
  Picture("b.jpg", 544, 468);
  Picture("c.jpg", 546, 469);
  Picture("d.png", 545, 470, "PNG");
  frmMain& f = Open({"a.jpg", "b.jpg", "c.jpg", "d.png"});
  OpenPhoto(f, 1);
  EXPECT_EQ(ViewMode, 1);
  EXPECT_EQ(gAlbumState.ZoomLevel, -2);
  EXPECT_EQ(f.lbZoom->text(), "Zoom  1/2");
  EXPECT_EQ(f.imgbox->geometry(), QRect(136, 117, 273, 235));
  EXPECT_FALSE(f.imgbox->isHidden());
  EXPECT_TRUE(f.picVideoWindow->isHidden());
  EXPECT_FALSE(f.VScroll1->isEnabled());
  EXPECT_TRUE(f.imgThumbnail[0]->isHidden());
  EXPECT_EQ(gAlbumState.ImageWidth, 545);
  EXPECT_EQ(gAlbumState.PhotoFile, Root() + "/Photos/a.jpg");

  OpenPhoto(f, 2);
  EXPECT_EQ(gAlbumState.ZoomLevel, -1);
  EXPECT_EQ(f.lbZoom->text(), "Zoom  1/1");
  EXPECT_EQ(f.imgbox->geometry(), QRect(0, 0, 544, 468));
  OpenPhoto(f, 3);
  EXPECT_EQ(gAlbumState.ZoomLevel, -2);
  OpenPhoto(f, 4);
  EXPECT_EQ(gAlbumState.ZoomLevel, -2);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 4);
  EXPECT_EQ(gAlbumState.PreviousImageIndex, 3);
}

TEST_F(Viewer, AVeryLargePictureFitsAndIsDecodedReduced) {
  Picture("wide.jpg", 11000, 600);
  frmMain& f = Open({"wide.jpg"});
  OpenPhoto(f, 1);
  EXPECT_EQ(gAlbumState.ZoomLevel, -21);
  EXPECT_EQ(f.lbZoom->text(), "Zoom  1/21");
  EXPECT_EQ(f.imgbox->size(), QSize(524, 29));
  // The file's own size, not the reduced decode's.
  EXPECT_EQ(gAlbumState.ImageWidth, 11000);
  EXPECT_EQ(gAlbumState.ImageHeight, 600);
  EXPECT_EQ(f.pctBoxSize, QSize(11000, 600));
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(1375, 75));
  EXPECT_EQ(f.FullSizePicture().size(), QSize(11000, 600));
}

TEST_F(Viewer, ZoomButtonsStepAndDecodeMoreDetailWhenNeeded) {
  Picture("photo.jpg", 4000, 3000);
  frmMain& f = Open({"photo.jpg"});
  OpenPhoto(f, 1);
  EXPECT_EQ(gAlbumState.ZoomLevel, -8);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(500, 375));
  Click(f.lbButtonText[6]);  // the caption on the Enlarge button
  EXPECT_EQ(gAlbumState.ZoomLevel, -7);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(1000, 750));
  EXPECT_EQ(f.imgbox->size(), QSize(571, 429));
  EXPECT_EQ(f.imgbox->pos(), QPoint(-13, 20));
  for (int i = 0; i < 6; ++i) f.cmdZoomIn_Click();
  EXPECT_EQ(gAlbumState.ZoomLevel, -1);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(4000, 3000));
  EXPECT_EQ(f.imgbox->picture().size(), QSize(4000, 3000));
  Click(f.cmdZoomIn);
  EXPECT_EQ(gAlbumState.ZoomLevel, 2);
  EXPECT_EQ(f.lbZoom->text(), "Zoom  2/1");
  EXPECT_EQ(f.imgbox->size(), QSize(8000, 6000));
  Click(f.cmdZoomOut);
  EXPECT_EQ(gAlbumState.ZoomLevel, 1);
  EXPECT_EQ(f.lbZoom->text(), "Zoom  1/1");
  Click(f.lbButtonText[5]);
  EXPECT_EQ(gAlbumState.ZoomLevel, -2);
  EXPECT_EQ(f.imgbox->size(), QSize(2000, 1500));
  EXPECT_EQ(f.imgbox->pos(), QPoint(-728, -516));
  EXPECT_TRUE(LogEntries().empty());
}

// Each camera orientation, mirrored ones included, opens upright: the fit, the
// zoom, the picture on screen and the sizes a save writes are the upright ones.
// An information file keeps the numbers it has until the photo's information is saved.
TEST_F(Viewer, EveryCameraOrientationOpensUprightAndIsSavedWithItsUprightSize) {
  std::vector<std::string> names;
  for (int o = 1; o <= 8; ++o) {
    names.push_back("o" + std::to_string(o) + ".jpg");
    Write("Photos/" + names.back(), OrientedJpeg(QuarterColours(1200, 900), o));
    Write("Photo_Info/" + names.back() + ".info",
          CrLf({"PhotoPath=\\Photos\\" + names.back(), "TITLE=t", "ImageWidth=900", "ImageHeight=1200"}));
  }
  frmMain& f = Open(names);
  for (int o = 1; o <= 8; ++o) {
    SCOPED_TRACE(o);
    const std::string info = "Photo_Info/" + names[std::size_t(o - 1)] + ".info";
    const std::string before = Read(info);
    OpenPhoto(f, o);
    EXPECT_EQ(f.pctBoxSize, QSize(1200, 900));
    EXPECT_EQ(gAlbumState.ZoomLevel, -3);
    EXPECT_EQ(f.imgbox->geometry(), QRect(72, 84, 400, 300));
    EXPECT_EQ(f.pctBoxPicture.size(), QSize(600, 450)) << "decoded at 1/2, upright";
    EXPECT_TRUE(QuartersStandUpright(f.pctWindow->grab(f.imgbox->geometry()).toImage()));
    EXPECT_EQ(Read(info), before);
    f.cmdZoomIn_Click();
    f.cmdZoomIn_Click();
    EXPECT_EQ(gAlbumState.ZoomLevel, -1);
    EXPECT_EQ(f.imgbox->size(), QSize(1200, 900));
    EXPECT_TRUE(QuartersStandUpright(f.imgbox->picture()));
    f.cmdEditPhotoInfo->click();
    f.cmdEditPhotoInfo->click();
    EXPECT_NE(Read(info).find("ImageWidth=1200\r\nImageHeight=900\r\n"), std::string::npos) << Read(info);
  }
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(Viewer, AWmfOpensAtItsOwnSizeDrawnAtEachZoomStepsDetail) {
  Write("Photos/drawing.jpg", SampleDrawing().Placeable(0, 0, 2880, 1440, 288));  // 960 x 480
  Info("drawing.jpg");
  Write("Photos/huge.wmf", HugePlaceable());
  Info("huge.wmf");
  frmMain& f = Open({"drawing.jpg", "huge.wmf"});
  OpenPhoto(f, 1);
  EXPECT_EQ(gAlbumState.ZoomLevel, -2);
  EXPECT_EQ(gAlbumState.ImageWidth, 960);
  EXPECT_EQ(gAlbumState.ImageHeight, 480);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(480, 240));
  EXPECT_EQ(SampleAt(f.pctBoxPicture, 24, 12), qRgb(255, 0, 0));
  Click(f.cmdZoomIn);
  EXPECT_EQ(gAlbumState.ZoomLevel, -1);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(960, 480));
  EXPECT_EQ(SampleAt(f.pctBoxPicture, 146, 12), qRgb(0, 160, 0));
  Click(f.cmdZoomOut);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(960, 480));  // enough detail already

  // Billions of pixels nominally: it opens at its fit, drawn at the size shown.
  f.NextPhoto();
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(gAlbumState.ImageWidth, 32767 * 96);
  const int k = FitDenominator(32767 * 96, 16000 * 96);
  EXPECT_EQ(gAlbumState.ZoomLevel, -k);
  EXPECT_EQ(f.pctBoxPicture.size(), f.imgbox->size());
  Click(f.cmdZoomIn);
  EXPECT_EQ(gAlbumState.ZoomLevel, -(k - 1));
  EXPECT_EQ(f.pctBoxPicture.size(), f.imgbox->size());
  EXPECT_TRUE(prompter.Prompts().empty());
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(Viewer, FarZoomShowsTheRightPixelsAndRefusedStepsLeaveTheView) {
  Picture("small.png", 400, 300, "PNG");
  frmMain& f = Open({"small.png"});
  OpenPhoto(f, 1);
  const long before = PeakKb();
  gAlbumState.ZoomLevel = 9999;
  f.cmdZoomIn_Click();
  EXPECT_EQ(gAlbumState.ZoomLevel, 10000);
  EXPECT_EQ(f.imgbox->size(), QSize(4000000, 3000000));
  // Moved by half a picture pixel, the middle of the viewing area shows the middle
  // of the first pixel of the white quarter.
  f.imgbox->move(f.imgbox->x() - 5000, f.imgbox->y() - 5000);
  const QImage shot = f.pctWindow->grab().toImage();
  EXPECT_TRUE(Near(shot.pixelColor(272, 234), QColor(240, 240, 240)));
  EXPECT_LT(PeakKb() - before, 100 * 1024);

  // A size no widget can take is refused, and the view stays.
  gAlbumState.ZoomLevel = 41943;
  f.cmdZoomIn_Click();
  EXPECT_EQ(gAlbumState.ZoomLevel, 41943);
  EXPECT_EQ(f.imgbox->size(), QSize(4000000, 3000000));
  EXPECT_FALSE(f.imgbox->isHidden());
  gAlbumState.ZoomLevel = 32767;
  f.cmdZoomIn_Click();
  EXPECT_EQ(gAlbumState.ZoomLevel, 32767);
  const auto log = LogEntries();
  ASSERT_EQ(log.size(), 2u);
  for (const std::string& line : log)
    EXPECT_NE(line.find("An error has occurred in 'cmdZoomIn_Click'. Error = Overflow"), std::string::npos) << line;
  EXPECT_EQ(f.cmdZoomIn->pixmap().toImage(), f.pctDarkSmall->pixmap().toImage());
}

TEST_F(Viewer, DraggingMovesThePictureWithThePointer) {
  Picture("a.jpg", 800, 600);
  frmMain& f = Open({"a.jpg"});
  OpenPhoto(f, 1);
  const QPoint start = f.imgbox->pos();
  SendMouse(f.imgbox, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(f.ImageDragging);
  EXPECT_EQ(f.imgbox->cursor().shape(), Qt::SizeAllCursor);
  SendMouse(f.imgbox, QEvent::MouseMove, {130, 90}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(f.imgbox->pos(), start + QPoint(30, -10));
  // Relative to the moved picture the pointer is back at its grab point.
  SendMouse(f.imgbox, QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(f.imgbox->pos(), start + QPoint(30, -10));
  SendMouse(f.imgbox, QEvent::MouseMove, {-500, 100}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(f.imgbox->pos(), start + QPoint(-570, -10));
  SendMouse(f.imgbox, QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(f.ImageDragging);
  EXPECT_FALSE(f.imgbox->testAttribute(Qt::WA_SetCursor));
  SendMouse(f.imgbox, QEvent::MouseMove, {200, 200}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(f.imgbox->pos(), start + QPoint(-570, -10));
  // The next zoom step centres it again.
  f.cmdZoomIn_Click();
  EXPECT_EQ(f.imgbox->geometry(), QRect(-128, -66, 800, 600));
}

TEST_F(Viewer, TheSecondPressOfADoubleClickStartsADragToo) {
  Picture("a.jpg", 800, 600);
  frmMain& f = Open({"a.jpg"});
  OpenPhoto(f, 1);
  const QPoint start = f.imgbox->pos();
  SendMouse(f.imgbox, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(f.imgbox, QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
  ASSERT_FALSE(f.ImageDragging);
  SendMouse(f.imgbox, QEvent::MouseButtonDblClick, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(f.ImageDragging);
  SendMouse(f.imgbox, QEvent::MouseMove, {110, 120}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(f.imgbox->pos(), start + QPoint(10, 20));
}

TEST_F(Viewer, APictureThatCannotOpenLeavesTheViewAsItWas) {
  Picture("good.jpg", 600, 400);
  Write("Photos/bad.jpg", "plain text, not a picture\r\n");
  Info("bad.jpg");
  Info("gone.jpg");
  frmMain& f = Open({"good.jpg", "bad.jpg", "gone.jpg"});
  OpenPhoto(f, 1);
  const QRect where = f.imgbox->geometry();
  const qint64 shown = f.imgbox->picture().cacheKey();
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_FALSE(f.DisplayPhoto(2));
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Invalid image file. Unable to open");
  EXPECT_EQ(prompter.Prompts()[0].title, "Error");
  // The index moves on, so the next step reaches the photo after it.
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(gAlbumState.PreviousImageIndex, 1);
  EXPECT_EQ(gAlbumState.PhotoFile, Root() + "/Photos/good.jpg");
  EXPECT_EQ(gAlbumState.ZoomLevel, -2);
  EXPECT_EQ(gAlbumState.Title, "good.jpg");
  EXPECT_EQ(f.imgbox->geometry(), where);
  EXPECT_EQ(f.imgbox->picture().cacheKey(), shown);
  EXPECT_EQ(f.pctBoxSize, QSize(600, 400));
  // A missing file fails without a word.
  EXPECT_FALSE(f.DisplayPhoto(3));
  EXPECT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 3);
  EXPECT_FALSE(f.DisplayPhoto(0));
  EXPECT_FALSE(f.DisplayPhoto(4));
}

TEST_F(Viewer, ZoomFromTheGridOpensTheCurrentPhotoOnlyWhenItOpens) {
  Write("Photos/bad.jpg", "not a picture");
  Info("bad.jpg");
  Picture("b.jpg", 1090, 300);
  frmMain& f = Open({"bad.jpg", "b.jpg"});
  ASSERT_EQ(ViewMode, 0);
  f.SetImageIndex(1);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.cmdZoomIn_Click();
  EXPECT_EQ(ViewMode, 0);
  EXPECT_FALSE(f.imgThumbnail[0]->isHidden());
  f.SetImageIndex(2);
  f.cmdZoomOut_Click();
  EXPECT_EQ(ViewMode, 1);
  EXPECT_EQ(gAlbumState.ZoomLevel, -3);
  EXPECT_EQ(f.cmdZoomOut->pixmap().toImage(), f.pctDarkSmall->pixmap().toImage());
}

TEST_F(Viewer, VideoEntriesUseTheVideoWindowAndIgnoreZoom) {
  Picture("a.jpg", 600, 400);
  // A real clip under a name the program plays as video whatever its case.
  Write("Photos/clip.MoV", MjpegAviBytes({QImage(64, 48, QImage::Format_RGB32)}, 10));
  Info("clip.MoV");
  frmMain& f = Open({"a.jpg", "clip.MoV"});
  OpenPhoto(f, 1);
  EXPECT_FALSE(f.cmdVideo[0]->isEnabled());
  OpenPhoto(f, 2);
  EXPECT_TRUE(gAlbumState.IsVideo);
  EXPECT_EQ(f.picVideoWindow->geometry(), QRect(20, 48, 497, 373));
  EXPECT_FALSE(f.picVideoWindow->isHidden());
  EXPECT_TRUE(f.imgbox->isHidden());
  // The clip plays: pause and stop are offered, play is not.
  for (QWidget* w : {static_cast<QWidget*>(f.cmdVideo[1]), static_cast<QWidget*>(f.cmdVideo[2]),
                     static_cast<QWidget*>(f.hscVideo)})
    EXPECT_TRUE(w->isEnabled());
  EXPECT_FALSE(f.cmdVideo[0]->isEnabled());
  const QString caption = f.lbZoom->text();
  f.cmdZoomIn_Click();
  EXPECT_EQ(f.lbZoom->text(), caption);
  OpenPhoto(f, 1);
  EXPECT_TRUE(f.picVideoWindow->isHidden());
  EXPECT_EQ(f.picVideoWindow->x(), 565);
  EXPECT_FALSE(f.cmdVideo[1]->isEnabled());
}

}  // namespace

TEST_F(Viewer, DoubleClickOnABrokenPhotoKeepsTheGrid) {
  Picture("good.jpg", 600, 400);
  Write("Photos/bad.jpg", "plain text, not a picture\r\n");
  Info("bad.jpg");
  frmMain& f = Open({"good.jpg", "bad.jpg"});
  ASSERT_EQ(ViewMode, 0);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  OpenPhoto(f, 2);
  EXPECT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(ViewMode, 0);
}

// Pictures past Qt's default limit of 128 MB open whole; what no decode can hold
// is refused before anything is decoded.
TEST_F(Viewer, LargePicturesOpenWholeAndTooLargeOnesAreReported) {
  {
    // 8000 x 5000 decodes to 160 MB.
    QImage png(8000, 5000, QImage::Format_RGB888);
    png.fill(QColor(20, 90, 160));
    QPainter(&png).fillRect(4000, 2500, 4000, 2500, QColor(230, 200, 40));
    SavePhoto("wide.png", png, "PNG");
    Info("wide.png");
  }
  {
    // 9000 x 5000 in colour, decoded whole at 1/1: 180 MB. Built from a palette
    // picture so the test itself stays small.
    QImage big(9000, 5000, QImage::Format_Indexed8);
    big.setColorTable({qRgb(200, 40, 40), qRgb(40, 40, 200)});
    big.fill(0);
    for (int y = 2500; y < 5000; ++y) memset(big.scanLine(y), 1, 9000);
    SavePhoto("big.jpg", big, "JPEG", 80);
    Info("big.jpg");
  }
  Write("Photos/bomb.jpg", JpegClaiming(64798, 10518, true));
  Info("bomb.jpg");
  Write("Photos/huge.jpg", JpegClaiming(40000, 30000, false));
  Info("huge.jpg");
  frmMain& f = Open({"wide.png", "big.jpg", "bomb.jpg", "huge.jpg"});

  OpenPhoto(f, 1);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  EXPECT_EQ(gAlbumState.ZoomLevel, -15);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(8000, 5000));
  EXPECT_TRUE(Near(f.pctBoxPicture.pixelColor(7000, 4000), QColor(230, 200, 40)));

  OpenPhoto(f, 2);
  ASSERT_EQ(gAlbumState.ZoomLevel, -17);
  gAlbumState.ZoomLevel = -2;
  f.cmdZoomIn_Click();
  EXPECT_EQ(f.lbZoom->text(), "Zoom  1/1");
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(9000, 5000));
  EXPECT_EQ(f.imgbox->picture().size(), QSize(9000, 5000));
  f.pctBoxPicture = QImage();
  f.imgbox->setPicture(QImage());

  // A 4 GB progressive decode claimed by a few hundred bytes.
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_FALSE(f.DisplayPhoto(3));
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "The picture is too large to open");
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 3);
  EXPECT_EQ(f.pctBoxSize, QSize(9000, 5000));

  // Fits at 1/74, but no step may show a coarser decode as a finer one: 1/3
  // needs 1.2 GB and is refused, and the user is told.
  OpenPhoto(f, 4);
  EXPECT_EQ(gAlbumState.ZoomLevel, -74);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(5000, 3750));
  gAlbumState.ZoomLevel = -4;
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  Click(f.cmdZoomIn);
  ASSERT_EQ(prompter.Prompts().size(), 2u);
  EXPECT_EQ(prompter.Prompts()[1].text, "The picture is too large to open");
  EXPECT_EQ(prompter.Prompts()[1].title, "Error");
  EXPECT_EQ(gAlbumState.ZoomLevel, -4);
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(5000, 3750));
  EXPECT_TRUE(f.FullSizePicture().isNull());
  const auto log = LogEntries();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0].find("'cmdZoomIn_Click'. Error = Out of memory"), std::string::npos) << log[0];
  EXPECT_NE(log[1].find("'FullSizePicture'. Error = Out of memory"), std::string::npos) << log[1];
}
