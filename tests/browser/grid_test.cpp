// Paging of the thumbnail grid, on real thumbnail files.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QScrollBar>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/grid_rules.h"
#include "browser/imagebox.h"
#include "support/crafted_jpeg.h"
#include "support/yield_watch.h"
#include "window_fixture.h"

namespace {

TEST(GridRules, PagesSlotsAndTheClamps) {
  for (auto [k, page, slot] : {std::tuple{1, 1, 0}, {16, 1, 15}, {17, 2, 0}, {32, 2, 15}, {33, 3, 0}}) {
    EXPECT_EQ(grid::PageOfPhoto(k), page) << k;
    EXPECT_EQ(grid::SlotOfPhoto(k), slot) << k;
    EXPECT_EQ(grid::PhotoAtSlot(page, slot), k) << k;
  }
  EXPECT_EQ(grid::ClampPage(0, 40), 1);
  EXPECT_EQ(grid::ClampPage(3, 32), 2);  // the group shrank under the page on show
  EXPECT_EQ(grid::ClampPage(5, 0), 1);
  EXPECT_EQ(grid::PageForLoad(true, 0, 40), 1);
  EXPECT_EQ(grid::PageForLoad(true, 3, 20), 2);
  EXPECT_EQ(grid::PageForLoad(false, 3, 40), 1);
  EXPECT_EQ(grid::ClampPhotoIndex(0, 5), 1);
  EXPECT_EQ(grid::ClampPhotoIndex(9, 5), 5);
  EXPECT_EQ(grid::ClampPhotoIndex(1, 0), 0);
}

TEST(GridRules, StripWindowAndGroupButtons) {
  EXPECT_FALSE(grid::CanScrollTo(1, 0, 8));  // eight or fewer: never moves
  EXPECT_TRUE(grid::CanScrollTo(1, 0, 9));
  EXPECT_FALSE(grid::CanScrollTo(2, 1, 9));
  EXPECT_FALSE(grid::CanScrollTo(-1, 0, 9));
  EXPECT_TRUE(grid::CanScrollTo(3, 4, 10));  // left past the end by a removal: back up
  EXPECT_TRUE(grid::DownArrowShown(0, 9));
  EXPECT_FALSE(grid::DownArrowShown(1, 9));
  EXPECT_EQ(grid::VisibleButtonCount(4, 10), 6);
  const std::vector<std::string> captions{"  All Photos  ", "TRIP", "Trip", "winter"};
  EXPECT_EQ(grid::ButtonForGroup(captions, "Trip"), 2);
  EXPECT_EQ(grid::ButtonForGroup(captions, "TRIP"), 1);
  EXPECT_EQ(grid::ButtonForGroup(captions, "Winter"), -1);
  EXPECT_EQ(grid::ButtonForGroup(captions, "summer"), -1);
}

class Grid : public WindowTest {
protected:

  // Group "Trip" of n photos, each with a bitmap thumbnail under the photo's own
  // name as the builder writes it, loaded through its button.
  frmMain& Trip(int n) {
    std::filesystem::create_directories(Path("Photo_Thumbnails"));
    QImage img(100, 75, QImage::Format_RGB32);
    img.fill(QColor(200, 120, 40));
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) {
      AddPhoto(lines.emplace_back("p" + std::to_string(i) + ".jpg"));
      EXPECT_TRUE(img.save(QString::fromStdString(Path("Photo_Thumbnails/" + lines.back())), "BMP"));
    }
    Write("Photo_SlideGroups/Trip.lst", CrLf(lines));
    frmMain& f = frmMain::Get();
    f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
    return f;
  }

  static int ShownSlots(frmMain& f) {
    int n = 0;
    for (auto* t : f.imgThumbnail) n += t->isHidden() ? 0 : 1;
    return n;
  }
};

TEST_F(Grid, PageBarAndLastPageAtTheBoundaries) {
  for (auto [n, pages, lastSlots] : {std::tuple{16, 1, 16}, {17, 2, 1}, {32, 2, 16}, {33, 3, 1}}) {
    SCOPED_TRACE(n);
    frmMain& f = Trip(n);
    EXPECT_EQ(f.VScroll1->maximum(), pages);
    EXPECT_EQ(f.VScroll1->isEnabled(), n > 16);
    EXPECT_EQ(f.lbStatusPage->text(), "Page 1 of " + QString::number(pages));
    EXPECT_EQ(ShownSlots(f), 16);
    f.VScroll1->setValue(pages);
    EXPECT_EQ(gAlbumState.CurrentPage, pages);
    EXPECT_EQ(ShownSlots(f), lastSlots);
    EXPECT_EQ(f.lbThumbnailFile[size_t(lastSlots - 1)]->text().toStdString(), "p" + std::to_string(n) + ".jpg");
    EXPECT_TRUE(lastSlots == 16 || f.lbThumbnailFile[15]->text().isEmpty());
    EXPECT_EQ(f.VScroll1->isEnabled(), n > 16);
    CloseWindow();
    ResetBrowsingState();
  }
}

TEST_F(Grid, ThumbnailsAtTheirOwnSizeAndAMissingOneAsAnEmptySquare) {
  frmMain& f = Trip(3);
  EXPECT_EQ(f.imgThumbnail[0]->geometry(), QRect(24, 16, 100, 75));
  EXPECT_EQ(f.imgThumbnail[0]->toolTip(), "Double-click to view.");
  EXPECT_EQ(f.lbThumbnailFile[2]->geometry().topLeft(), QPoint(280, 100));
  std::filesystem::remove(Path("Photo_Thumbnails/p2.jpg"));
  Write("Photo_Thumbnails/p3.jpg", "not a picture");
  // A file whose header promises gigabytes is not decoded.
  Write("Photo_Thumbnails/p1.jpg", JpegClaiming(64798, 10518, true));
  f.ShowThumbnailPage(1);
  for (int s : {0, 1, 2}) {
    EXPECT_TRUE(f.imgThumbnail[size_t(s)]->pixmap().isNull());
    EXPECT_FALSE(f.imgThumbnail[size_t(s)]->isHidden());
    EXPECT_FALSE(f.lbThumbnailFile[size_t(s)]->isHidden());
  }
  EXPECT_EQ(f.lbThumbnailFile[1]->text(), "p2.jpg");
}

TEST_F(Grid, EmptyGroupShowsNothingAndZeroCounters) {
  frmMain& f = Trip(0);
  EXPECT_EQ(ShownSlots(f), 0);
  EXPECT_EQ(f.lbStatusPage->text(), "Page 1 of 1");
  EXPECT_EQ(f.lbStatusCount->text(), "Photo 0 of 0");
  EXPECT_EQ(f.lbCount->text(), "Group [Trip] Viewing 0 of 0");
}

TEST_F(Grid, EverySlotComesBackAfterTheViewerButEmptyOnesTakeNoClick) {
  frmMain& f = Trip(3);
  f.ShowThumbnailBoxes(false);
  EXPECT_EQ(ShownSlots(f), 0);
  EXPECT_TRUE(f.VScroll1->isHidden());
  ViewMode = 1;
  f.ShowThumbnailBoxes(true);
  EXPECT_EQ(ShownSlots(f), 16);
  EXPECT_EQ(ViewMode, 0);
  const auto current = gAlbumState.CurrentImageIndex;
  f.imgThumbnail_MouseDown(9, 1, 0, 0, 0);
  f.imgThumbnail_DblClick(9);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, current);
  EXPECT_EQ(ViewMode, 0);
}

TEST_F(Grid, DoubleClickClearsTheSelectionAndOpensThePhoto) {
  frmMain& f = Trip(20);
  AddJpeg("p18.jpg", 64, 48);
  f.VScroll1->setValue(2);
  f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
  f.imgThumbnail_MouseDown(3, 1, 1, 0, 0);
  ASSERT_EQ(gAlbumState.SelectedCount, 4);
  f.imgThumbnail_DblClick(1);
  EXPECT_EQ(gAlbumState.SelectedCount, 0);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 18);
  EXPECT_EQ(f.lbStatusCount->text(), "Photo 18 of 20");
  EXPECT_EQ(ViewMode, 1);
}

TEST_F(Grid, PageBarChangesWhileDrawingDoNotNestAndANewerDrawWins) {
  frmMain& f = Trip(40);
  const auto before = f.PageDrawSerial;
  QTimer::singleShot(0, [&] { f.VScroll1->setValue(3); });
  f.VScroll1->setValue(2);
  EXPECT_EQ(f.PageDrawSerial, before + 1);
  EXPECT_EQ(gAlbumState.CurrentPage, 2);
  EXPECT_EQ(f.VScroll1->value(), 2);
  EXPECT_TRUE(f.VScroll1->isEnabled());
  QTimer::singleShot(0, [&] { f.ShowThumbnailPage(1); });
  f.ShowThumbnailPage(3);
  EXPECT_EQ(gAlbumState.CurrentPage, 1);
  EXPECT_EQ(f.lbThumbnailFile[0]->text(), "p1.jpg");
  EXPECT_EQ(f.lbStatusPage->text(), "Page 1 of 3");
}

TEST_F(Grid, ADoubleClickWhileAPageIsDrawnLeavesNoThumbnailOverTheViewer) {
  frmMain& f = Trip(40);
  AddJpeg("p21.jpg", 64, 48);
  int yields = 0;
  bool clicked = false;
  {
    AtEveryYield watch([&] {
      if (clicked || ++yields < 7) return;
      clicked = true;
      f.imgThumbnail_DblClick(4);  // photo 21 on page 2
    });
    f.VScroll1->setValue(2);
  }
  ASSERT_TRUE(clicked);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 21);
  EXPECT_EQ(ViewMode, 1);
  EXPECT_FALSE(f.imgbox->isHidden());
  EXPECT_EQ(ShownSlots(f), 0);
  for (auto* name : f.lbThumbnailFile) EXPECT_TRUE(name->isHidden());
  // The page was filled all the same, for when the grid comes back.
  f.ShowThumbnailBoxes(true);
  EXPECT_EQ(f.lbThumbnailFile[15]->text(), "p32.jpg");
}

}  // namespace
