#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <string>
#include <vector>

#include "archive/modquillmont.h"
#include "browser/albumstate.h"
#include "browser/frmMain.h"
#include "browser/grid_rules.h"
#include "support/temp_archive.h"

namespace {

// Flags of a group of n photos and the selection over them.
struct Flags {
  explicit Flags(int n) : flags(size_t(n) + 1, 0) {}
  std::vector<std::int32_t> flags;
  std::int32_t count = 0;
  std::int32_t anchor = 0;
  void Apply(std::int32_t index, int mode) { grid::ApplySelection({flags, count, anchor}, index, mode); }
  std::vector<int> Selected() const {
    std::vector<int> out;
    for (size_t i = 0; i < flags.size(); ++i)
      if (flags[i] == 1) out.push_back(int(i));
    return out;
  }
};

TEST(SelectionRule, ClickCtrlToggleAndClear) {
  Flags f(10);
  f.Apply(4, 0);
  EXPECT_EQ(f.Selected(), (std::vector<int>{4}));
  EXPECT_EQ(f.count, 1);
  f.Apply(4, 2);
  EXPECT_TRUE(f.Selected().empty());
  EXPECT_EQ(f.count, 0);
  f.Apply(2, 2);
  f.Apply(9, 2);
  EXPECT_EQ(f.Selected(), (std::vector<int>{2, 9}));
  EXPECT_EQ(f.anchor, 9);
  f.Apply(-1, 0);
  EXPECT_TRUE(f.Selected().empty());
  EXPECT_EQ(f.count, 0);
  EXPECT_EQ(f.anchor, 0);
}

TEST(SelectionRule, ShiftRangesWalkFromTheAnchor) {
  Flags f(10);
  f.Apply(3, 0);
  f.Apply(7, 1);
  EXPECT_EQ(f.Selected(), (std::vector<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(f.count, 5);
  f.Apply(5, 1);  // nothing new, the anchor moves
  EXPECT_EQ(f.count, 5);
  EXPECT_EQ(f.anchor, 5);

  Flags down(10);
  down.Apply(6, 0);
  down.Apply(6, 2);  // deselected, still the anchor
  down.Apply(2, 1);
  EXPECT_EQ(down.Selected(), (std::vector<int>{2, 3, 4, 5}));  // the anchor itself is not touched

  Flags same(10);
  same.Apply(4, 0);
  same.Apply(4, 1);
  EXPECT_EQ(same.Selected(), (std::vector<int>{4}));
}

TEST(SelectionRule, AddKeepsCountAndOtherModesChangeNothing) {
  Flags f(10);
  f.Apply(3, 0);
  f.Apply(3, 3);
  EXPECT_EQ(f.count, 1);
  f.Apply(8, 3);
  EXPECT_EQ(f.Selected(), (std::vector<int>{3, 8}));
  for (int alt : {4, 5, 6, 7}) f.Apply(5, alt);
  EXPECT_EQ(f.Selected(), (std::vector<int>{3, 8}));
  EXPECT_EQ(f.count, 2);
}

TEST(SelectionRule, OnlyPhotosOfTheGroupAreEverSelected) {
  Flags f(5);
  f.Apply(0, 0);  // the placeholder, as at start-up with no current photo
  f.Apply(0, 3);
  f.Apply(6, 2);
  f.Apply(-1, 3);
  EXPECT_TRUE(f.Selected().empty());
  EXPECT_EQ(f.count, 0);
  // An anchor left from a longer group: the walk sets only this group's photos.
  f.anchor = 40;
  f.Apply(3, 1);
  EXPECT_EQ(f.Selected(), (std::vector<int>{3, 4, 5}));
  // A range from the cleared anchor starts at photo 1, never at entry 0.
  Flags g(5);
  g.Apply(3, 1);
  EXPECT_EQ(g.Selected(), (std::vector<int>{1, 2, 3}));
  // Groups past the 16-bit limit keep working.
  Flags big(40000);
  big.Apply(39990, 0);
  big.Apply(40000, 1);
  EXPECT_EQ(big.count, 11);
  EXPECT_EQ(big.anchor, 40000);
}

class Selecting : public TempArchive {
protected:
  void TearDown() override {
    if (frmMain::IsLoaded()) frmMain::Unload();
    QApplication::processEvents();
    TempArchive::TearDown();
  }

  frmMain& Load(const std::string& group, int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) {
      lines.push_back("p" + std::to_string(i) + ".jpg");
      AddPhoto(lines.back());
    }
    Write("Photo_SlideGroups/" + group + ".lst", CrLf(lines));
    frmMain& f = frmMain::Get();
    f.pctAlbumList_MouseDown(f.lbAlbumList[0]->text().toStdString() == group ? 0 : 1, 1, 0, 0, 0);
    EXPECT_EQ(gAlbumState.CurrentGroupName, group);
    return f;
  }

  // A real press on a thumbnail, as the mouse sends it.
  static void Click(QWidget* w, Qt::MouseButton b, Qt::KeyboardModifiers m = Qt::NoModifier) {
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), b, b, m);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), b, Qt::NoButton, m);
    QApplication::sendEvent(w, &release);
  }

  static std::vector<int> FramesShown(frmMain& f) {
    std::vector<int> out;
    for (int s = 0; s < 16; ++s)
      if (!f.shpThumbnailSelect[size_t(s)]->isHidden()) out.push_back(s);
    return out;
  }

  static std::vector<int> Selected() {
    std::vector<int> out;
    for (size_t i = 0; i < SelectedFlags.size(); ++i)
      if (SelectedFlags[i] == 1) out.push_back(int(i));
    return out;
  }

  // A right click on slot s; the pop-up is closed once it is up and the enabled
  // state of Move and Remove at that moment is returned.
  static std::pair<bool, bool> RightClick(frmMain& f, int s) {
    std::pair<bool, bool> seen{true, true};
    bool popped = false;
    QTimer::singleShot(50, [&] {
      if (QWidget* p = QApplication::activePopupWidget()) {
        popped = true;
        seen = {f.mnuThumbMove->isEnabled(), f.mnuThumbRemove->isEnabled()};
        p->close();
      }
    });
    Click(f.imgThumbnail[size_t(s)], Qt::RightButton);
    EXPECT_TRUE(popped);
    return seen;
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
  EXPECT_EQ(Selected(), (std::vector<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(FramesShown(f), (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ(f.lbStatusSelected->text(), "Selected 5");
  Click(f.imgThumbnail[4], Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(gAlbumState.SelectedCount, 5);
  EXPECT_EQ(f.SelectAnchor, 5);
  Click(f.imgThumbnail[9], Qt::LeftButton, Qt::ControlModifier);
  Click(f.imgThumbnail[3], Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{3, 5, 6, 7, 10}));
  Click(f.imgThumbnail[0], Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{3, 5, 6, 7, 10}));
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  Click(f.imgThumbnail[7], Qt::LeftButton);
  EXPECT_EQ(Selected(), std::vector<int>{8});
  EXPECT_EQ(f.shpThumbnailSelect[3]->geometry(), QRect(404, 12, 109, 109));
}

TEST_F(Selecting, FramesFollowThePageAndStopAtTheEnd) {
  frmMain& f = Load("Trip", 20);
  f.imgThumbnail_MouseDown(14, 1, 0, 0, 0);
  f.VScroll1->setValue(2);
  f.imgThumbnail_MouseDown(3, 1, 1, 0, 0);  // 15 .. 20
  EXPECT_EQ(FramesShown(f), (std::vector<int>{0, 1, 2, 3}));
  f.VScroll1->setValue(1);
  EXPECT_EQ(FramesShown(f), (std::vector<int>{14, 15}));
  EXPECT_EQ(f.lbStatusSelected->text(), "Selected 6");
  // Slots past the end take no press.
  f.VScroll1->setValue(2);
  f.imgThumbnail_MouseDown(4, 1, 0, 0, 0);
  f.imgThumbnail_MouseDown(4, 2, 0, 0, 0);
  EXPECT_EQ(gAlbumState.SelectedCount, 6);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 20);
}

TEST_F(Selecting, RightClickAddsThePhotoAndOpensThePopUp) {
  frmMain& f = Load("Trip", 5);
  ASSERT_EQ(f.mnuThumb->title(), "ThumbnailMenu");
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
  EXPECT_TRUE(f.mnuThumbAdd->isEnabled());
  EXPECT_TRUE(f.mnuThumbMoveNewGroup->isEnabled());
}

TEST_F(Selecting, AllPhotosPopUpDisablesMoveAndRemoveWhereverTheStripStands) {
  for (int g = 1; g <= 9; ++g) Write("Photo_SlideGroups/G" + std::to_string(g) + ".lst", "");
  frmMain& f = Load(kAllPhotosGroup, 3);
  ASSERT_TRUE(f.ScrollGroupNames(2));
  EXPECT_EQ(RightClick(f, 0), std::make_pair(false, false));
  // The group on the button where All Photos stood is another group now.
  EXPECT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
}

}  // namespace
