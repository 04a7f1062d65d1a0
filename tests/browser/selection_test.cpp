// Selection on a real grid: clicks with Shift, Ctrl and Alt, frames, the pop-up.
#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/grid_rules.h"
#include "core/modquillmont.h"
#include "window_fixture.h"

namespace {

std::vector<int> Selected(const std::vector<std::int32_t>& flags = SelectedFlags) {
  std::vector<int> out;
  for (size_t i = 0; i < flags.size(); ++i)
    if (flags[i] == 1) out.push_back(int(i));
  return out;
}

TEST(SelectionRule, OnlyPhotosOfTheGroupAreEverSelected) {
  std::vector<std::int32_t> flags(6, 0);
  std::int32_t count = 0, anchor = 0;
  auto apply = [&](std::int32_t i, int mode) { grid::ApplySelection({flags, count, anchor}, i, mode); };
  apply(0, 0);  // the placeholder, as at start-up with no current photo
  apply(0, 3);
  apply(6, 2);
  apply(-1, 3);
  EXPECT_TRUE(Selected(flags).empty());
  apply(3, 1);  // a range from the cleared anchor starts at photo 1
  EXPECT_EQ(Selected(flags), (std::vector<int>{1, 2, 3}));
  apply(-1, 0);
  anchor = 40;  // left from a longer group: only this group's photos are set
  apply(4, 1);
  EXPECT_EQ(Selected(flags), (std::vector<int>{4, 5}));
  EXPECT_EQ(count, 2);
  apply(4, 0);
  apply(4, 2);  // deselected, still the anchor
  apply(2, 1);
  EXPECT_EQ(Selected(flags), (std::vector<int>{2, 3}));
  std::vector<std::int32_t> big(40001, 0);  // past the 16-bit limit
  grid::ApplySelection({big, count, anchor}, 39990, 0);
  grid::ApplySelection({big, count, anchor}, 40000, 1);
  EXPECT_EQ(count, 11);
  EXPECT_EQ(anchor, 40000);
}

class Selecting : public WindowTest {
protected:

  frmMain& Load(const std::string& group, int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) AddPhoto(lines.emplace_back("p" + std::to_string(i) + ".jpg"));
    Write("Photo_SlideGroups/" + group + ".lst", CrLf(lines));
    frmMain& f = frmMain::Get();
    f.pctAlbumList_MouseDown(group == kAllPhotosGroup ? 0 : 1, 1, 0, 0, 0);
    return f;
  }

  static std::vector<int> Frames(frmMain& f) {
    std::vector<int> out;
    for (int s = 0; s < 16; ++s)
      if (!f.shpThumbnailSelect[size_t(s)]->isHidden()) out.push_back(s);
    return out;
  }

  // A right click on slot s; returns whether Move and Remove were enabled while
  // the pop-up was up.
  static std::pair<bool, bool> RightClick(frmMain& f, int s) {
    return EnabledInPopUp([&] { Click(f.imgThumbnail[size_t(s)], Qt::RightButton); }, f.mnuThumbMove,
                          f.mnuThumbRemove);
  }
};

TEST_F(Selecting, ClicksShiftAndCtrlOnTheGrid) {
  frmMain& f = Load("Trip", 10);
  Click(f.imgThumbnail[2], Qt::LeftButton);
  EXPECT_EQ(Selected(), std::vector<int>{3});
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 3);
  EXPECT_EQ(f.lbStatusSelected->text(), "Selected 1");
  EXPECT_EQ(f.lbStatusCount->text(), "Photo 3 of 10");
  Click(f.imgThumbnail[6], Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Frames(f), (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ(f.lbStatusSelected->text(), "Selected 5");
  Click(f.imgThumbnail[4], Qt::LeftButton, Qt::ShiftModifier);  // nothing new, anchor 5
  EXPECT_EQ(gAlbumState.SelectedCount, 5);
  EXPECT_EQ(f.SelectAnchor, 5);
  Click(f.imgThumbnail[1], Qt::LeftButton, Qt::ShiftModifier);  // walks down: 4, 3, 2
  Click(f.imgThumbnail[9], Qt::LeftButton, Qt::ControlModifier);
  Click(f.imgThumbnail[3], Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 5, 6, 7, 10}));
  Click(f.imgThumbnail[0], Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(gAlbumState.SelectedCount, 6);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  Click(f.imgThumbnail[7], Qt::LeftButton);
  EXPECT_EQ(Selected(), std::vector<int>{8});
  f.SetGroupListSelect(-1, 0);
  EXPECT_TRUE(Frames(f).empty());
  EXPECT_EQ(f.lbStatusSelected->text(), "Selected 0");
  EXPECT_EQ(f.shpThumbnailSelect[3]->geometry(), QRect(404, 12, 109, 109));
}

TEST_F(Selecting, FramesFollowThePageAndEmptySlotsTakeNoPress) {
  frmMain& f = Load("Trip", 20);
  f.imgThumbnail_MouseDown(14, 1, 0, 0, 0);
  f.VScroll1->setValue(2);
  f.imgThumbnail_MouseDown(3, 1, 1, 0, 0);  // 15 .. 20
  EXPECT_EQ(Frames(f), (std::vector<int>{0, 1, 2, 3}));
  f.VScroll1->setValue(1);
  EXPECT_EQ(Frames(f), (std::vector<int>{14, 15}));
  f.VScroll1->setValue(2);
  f.imgThumbnail_MouseDown(4, 1, 0, 0, 0);
  f.imgThumbnail_MouseDown(4, 2, 0, 0, 0);
  EXPECT_EQ(gAlbumState.SelectedCount, 6);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 20);
}

TEST_F(Selecting, RightClickAddsThePhotoAndOpensThePopUp) {
  frmMain& f = Load("Trip", 5);
  QStringList items;
  for (QAction* a : f.mnuThumb->actions()) items << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(items, (QStringList{"Copy to Group ...", "Move to Group ...", "-", "Create &New Group", "-",
                                "Remove from Group"}));
  f.imgThumbnail_MouseDown(1, 1, 0, 0, 0);
  EXPECT_EQ(RightClick(f, 1), std::make_pair(true, true));
  EXPECT_EQ(gAlbumState.SelectedCount, 1);
  RightClick(f, 3);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 4}));
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 4);
}

TEST_F(Selecting, AllPhotosPopUpDisablesMoveAndRemoveWhereverTheStripStands) {
  for (int g = 1; g <= 9; ++g) Write("Photo_SlideGroups/G" + std::to_string(g) + ".lst", "");
  frmMain& f = Load(kAllPhotosGroup, 3);
  ASSERT_TRUE(f.ScrollGroupNames(2));
  EXPECT_EQ(RightClick(f, 0), std::make_pair(false, false));
}

}  // namespace
