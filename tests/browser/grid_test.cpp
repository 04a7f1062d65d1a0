#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QScrollBar>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/modquillmont.h"
#include "browser/albumstate.h"
#include "browser/frmMain.h"
#include "browser/grid_rules.h"
#include "support/temp_archive.h"

namespace {

TEST(GridRules, PagesAndSlotsAtThePageBoundaries) {
  struct Case {
    int k, page, slot;
  };
  for (Case c : {Case{1, 1, 0}, Case{16, 1, 15}, Case{17, 2, 0}, Case{32, 2, 15}, Case{33, 3, 0}}) {
    EXPECT_EQ(grid::PageOfPhoto(c.k), c.page) << c.k;
    EXPECT_EQ(grid::SlotOfPhoto(c.k), c.slot) << c.k;
    EXPECT_EQ(grid::PhotoAtSlot(c.page, c.slot), c.k) << c.k;
  }
  EXPECT_EQ(grid::SlotRow(6), 1);
  EXPECT_EQ(grid::SlotColumn(6), 2);
  EXPECT_EQ(grid::ThumbLeft(6), 24 + 256);
  EXPECT_EQ(grid::ThumbTop(6), 16 + 112);
  EXPECT_EQ(grid::FrameLeft(15), 20 + 384);
  EXPECT_EQ(grid::FrameTop(15), 12 + 336);
}

TEST(GridRules, PageStaysInsideTheGroup) {
  EXPECT_EQ(grid::ClampPage(0, 40), 1);
  EXPECT_EQ(grid::ClampPage(3, 40), 3);
  EXPECT_EQ(grid::ClampPage(3, 32), 2);  // the group shrank under the page on show
  EXPECT_EQ(grid::ClampPage(5, 0), 1);
  EXPECT_EQ(grid::ClampPage(-2, 17), 1);
  EXPECT_EQ(grid::PageForLoad(true, 3, 40), 3);
  EXPECT_EQ(grid::PageForLoad(true, 0, 40), 1);
  EXPECT_EQ(grid::PageForLoad(true, 3, 20), 2);
  EXPECT_EQ(grid::PageForLoad(false, 3, 40), 1);
  EXPECT_EQ(grid::ClampPhotoIndex(0, 5), 1);
  EXPECT_EQ(grid::ClampPhotoIndex(9, 5), 5);
  EXPECT_EQ(grid::ClampPhotoIndex(1, 0), 0);
  EXPECT_FALSE(grid::IsPhotoIndex(0, 5));
  EXPECT_FALSE(grid::IsPhotoIndex(6, 5));
  EXPECT_TRUE(grid::IsPhotoIndex(5, 5));
}

TEST(GridRules, StripWindowAndArrows) {
  EXPECT_FALSE(grid::CanScrollTo(1, 0, 7));  // fewer than eight: never moves
  EXPECT_FALSE(grid::CanScrollTo(1, 0, 8));
  EXPECT_TRUE(grid::CanScrollTo(1, 0, 9));
  EXPECT_FALSE(grid::CanScrollTo(2, 1, 9));
  EXPECT_FALSE(grid::CanScrollTo(-1, 0, 9));
  // A removal left the strip past the end: it can still go back up.
  EXPECT_TRUE(grid::CanScrollTo(3, 4, 10));
  EXPECT_TRUE(grid::CanScrollTo(0, 1, 7));
  EXPECT_FALSE(grid::UpArrowShown(0));
  EXPECT_TRUE(grid::UpArrowShown(1));
  EXPECT_FALSE(grid::DownArrowShown(0, 8));
  EXPECT_TRUE(grid::DownArrowShown(0, 9));
  EXPECT_FALSE(grid::DownArrowShown(1, 9));
  EXPECT_EQ(grid::VisibleButtonCount(0, 1), 1);
  EXPECT_EQ(grid::VisibleButtonCount(0, 20), 8);
  EXPECT_EQ(grid::VisibleButtonCount(4, 10), 6);
}

TEST(GridRules, GroupButtonPrefersTheExactName) {
  const std::vector<std::string> captions{"  All Photos  ", "TRIP", "Trip", "winter"};
  EXPECT_EQ(grid::ButtonForGroup(captions, "Trip"), 2);
  EXPECT_EQ(grid::ButtonForGroup(captions, "TRIP"), 1);
  EXPECT_EQ(grid::ButtonForGroup(captions, "Winter"), 3);
  EXPECT_EQ(grid::ButtonForGroup(captions, "summer"), -1);
  EXPECT_TRUE(grid::IsAllPhotosGroup("  all PHOTOS  "));
  EXPECT_FALSE(grid::IsAllPhotosGroup("All Photos"));
}

class Grid : public TempArchive {
protected:
  void TearDown() override {
    if (frmMain::IsLoaded()) frmMain::Unload();
    QApplication::processEvents();
    TempArchive::TearDown();
  }

  // A thumbnail as the builder writes it: a bitmap under the photo's own name.
  void Thumb(const std::string& photo, int w = 100, int h = 75) {
    std::filesystem::create_directories(Path("Photo_Thumbnails"));
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(200, 120, 40));
    ASSERT_TRUE(img.save(QString::fromStdString(Path("Photo_Thumbnails/" + photo)), "BMP"));
  }

  // Group "Trip" of n photos p1.jpg..., with thumbnails, loaded through its button.
  frmMain& Trip(int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) {
      lines.push_back("p" + std::to_string(i) + ".jpg");
      AddPhoto(lines.back());
      Thumb(lines.back());
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
  struct Case {
    int n, pages, lastPageSlots;
  };
  for (Case c : {Case{16, 1, 16}, Case{17, 2, 1}, Case{32, 2, 16}, Case{33, 3, 1}}) {
    SCOPED_TRACE(c.n);
    frmMain& f = Trip(c.n);
    EXPECT_EQ(f.VScroll1->maximum(), c.pages);
    EXPECT_EQ(f.VScroll1->isEnabled(), c.n > 16);
    EXPECT_EQ(f.lbStatusPage->text(), "Page 1 of " + QString::number(c.pages));
    EXPECT_EQ(ShownSlots(f), 16);
    f.VScroll1->setValue(c.pages);
    EXPECT_EQ(gAlbumState.CurrentPage, c.pages);
    EXPECT_EQ(ShownSlots(f), c.lastPageSlots);
    EXPECT_EQ(f.lbThumbnailFile[size_t(c.lastPageSlots - 1)]->text().toStdString(),
              "p" + std::to_string(c.n) + ".jpg");
    if (c.lastPageSlots < 16) {
      EXPECT_TRUE(f.lbThumbnailFile[15]->text().isEmpty());
      EXPECT_TRUE(f.lbThumbnailFile[15]->isHidden());
    }
    EXPECT_TRUE(f.VScroll1->isEnabled() == (c.n > 16));
    frmMain::Unload();
    QApplication::processEvents();
    ResetBrowsingState();
  }
}

TEST_F(Grid, ThumbnailsShowAtTheirOwnSizeAndAMissingOneAsAnEmptySquare) {
  frmMain& f = Trip(3);
  EXPECT_EQ(f.imgThumbnail[0]->pixmap().size(), QSize(100, 75));
  EXPECT_EQ(f.imgThumbnail[0]->geometry(), QRect(24, 16, 100, 75));
  EXPECT_EQ(f.imgThumbnail[0]->toolTip(), "Double-click to view.");
  EXPECT_EQ(f.lbThumbnailFile[2]->geometry().topLeft(), QPoint(280, 100));

  std::filesystem::remove(Path("Photo_Thumbnails/p2.jpg"));
  Write("Photo_Thumbnails/p3.jpg", "not a picture");
  f.ShowThumbnailPage(1);
  for (int s : {1, 2}) {
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
  EXPECT_FALSE(f.VScroll1->isEnabled());
}

TEST_F(Grid, GridComesBackWithEverySlotAfterTheViewer) {
  frmMain& f = Trip(3);
  f.ShowThumbnailBoxes(false);
  EXPECT_EQ(ShownSlots(f), 0);
  EXPECT_TRUE(f.VScroll1->isHidden());
  ViewMode = 1;
  f.ShowThumbnailBoxes(true);
  EXPECT_EQ(ShownSlots(f), 16);
  EXPECT_TRUE(f.lbThumbnailFile[9]->text().isEmpty());
  EXPECT_EQ(ViewMode, 0);
  // A slot past the end holds no photo: pressing or opening it does nothing.
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

  // A page shown from another command while one is drawn takes over.
  QTimer::singleShot(0, [&] { f.ShowThumbnailPage(1); });
  f.ShowThumbnailPage(3);
  EXPECT_EQ(gAlbumState.CurrentPage, 1);
  EXPECT_EQ(f.lbThumbnailFile[0]->text(), "p1.jpg");
  EXPECT_EQ(f.lbStatusPage->text(), "Page 1 of 3");
}

}  // namespace
