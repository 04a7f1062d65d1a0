// Dragging thumbnails with real mouse events: reordering the loaded group's list,
// turning pages at the grid's edges, and copying onto a group button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QScrollBar>
#include <filesystem>
#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "window_fixture.h"

namespace {

using Names = std::vector<std::string>;

class Dragging : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    Write("Photo_SlideGroups/  All Photos  .lst", "");
    Group("Beach", 2, "b");
  }

  void Group(const std::string& name, int n, const std::string& stem) {
    Names lines;
    for (int i = 1; i <= n; ++i) AddPhoto(lines.emplace_back(stem + std::to_string(i) + ".jpg"));
    Write("Photo_SlideGroups/" + name + ".lst", CrLf(lines));
  }
  std::string ListOf(const std::string& group) const { return Read("Photo_SlideGroups/" + group + ".lst"); }

  static int ButtonOf(frmMain& f, const std::string& group) {
    for (int i = 0; i < 8; ++i)
      if (!f.pctAlbumList[size_t(i)]->isHidden() && f.lbAlbumList[size_t(i)]->text().toStdString() == group) return i;
    ADD_FAILURE() << group;
    return 0;
  }

  // Loads a group of n photos t1.jpg .. tn.jpg through its strip button.
  frmMain& Load(int n) {
    Group("Trip", n, "t");
    frmMain& f = frmMain::Get();
    f.LoadGroupNames();
    f.pctAlbumList_MouseDown(ButtonOf(f, "Trip"), 1, 0, 0, 0);
    return f;
  }

  // A left press on slot s (with modifiers), held.
  static void Press(frmMain& f, int s, Qt::KeyboardModifiers m = Qt::NoModifier) {
    SendMouse(f.imgThumbnail[size_t(s)], QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, m);
  }
  // The held pointer moved to a point of the viewing area (pixels), as the
  // thumbnail pressed in slot s receives it.
  static void MoveTo(frmMain& f, int s, QPointF inArea) {
    QWidget* thumb = f.imgThumbnail[size_t(s)];
    SendMouse(thumb, QEvent::MouseMove, inArea - thumb->pos(), Qt::NoButton, Qt::LeftButton);
  }
  static void ReleaseAt(frmMain& f, int s, QPointF inArea) {
    QWidget* thumb = f.imgThumbnail[size_t(s)];
    SendMouse(thumb, QEvent::MouseButtonRelease, inArea - thumb->pos(), Qt::LeftButton, Qt::NoButton);
  }
  // The centre of a strip button in the viewing area's pixels.
  static QPointF OverButton(frmMain& f, int b) {
    QWidget* button = f.pctAlbumList[size_t(b)];
    return f.pctWindow->mapFrom(&f, button->mapTo(&f, button->rect().center()));
  }
};

TEST_F(Dragging, ADropInTheGridMovesTheSelectionAsOneBlock) {
  frmMain& f = Load(6);
  Click(f.imgThumbnail[1]);
  Click(f.imgThumbnail[3], Qt::LeftButton, Qt::ControlModifier);
  Press(f, 3, Qt::ShiftModifier | Qt::ControlModifier);  // keeps 2 and 4 selected, arms
  EXPECT_TRUE(f.ThumbDrag.ThumbArmed);

  // Not yet a drag within 200 twips of the press; then it goes on near the start too.
  f.imgThumbnail_MouseMove(3, 1, 0, 75 + 200, 75 - 200);
  EXPECT_FALSE(f.ThumbDrag.ThumbDragging);
  EXPECT_TRUE(f.shpThumbnailSelect[16]->isHidden());
  MoveTo(f, 3, QPointF(300, 10));
  EXPECT_TRUE(f.ThumbDrag.ThumbDragging);
  MoveTo(f, 3, f.imgThumbnail[3]->pos() + QPointF(5, 5));
  EXPECT_TRUE(f.ThumbDrag.ThumbDragging);
  EXPECT_EQ(gAlbumState.DropTarget, -2);
  EXPECT_FALSE(f.shpThumbnailSelect[16]->isHidden());
  EXPECT_EQ(f.shpThumbnailSelect[16]->pos(), f.imgThumbnail[3]->pos());
  EXPECT_TRUE(f.imgThumbnail[3]->toolTip().endsWith("Drag-n-drop to rearrange.  [Media File: t4.jpg]"));

  // The left half of the first photo: the block goes to the top.
  MoveTo(f, 3, QPointF(30, 20));
  EXPECT_FALSE(f.shpDropPosition->isHidden());
  EXPECT_EQ(f.shpDropPosition->pos(), QPoint(9, 16));
  ReleaseAt(f, 3, QPointF(30, 20));
  EXPECT_EQ(ListOf("Trip"), CrLf({"t2.jpg", "t4.jpg", "t1.jpg", "t3.jpg", "t5.jpg", "t6.jpg"}));
  EXPECT_EQ(PhotoNames[1], "t2.jpg");
  EXPECT_EQ(f.lbThumbnailFile[2]->text(), "t1.jpg");
  EXPECT_EQ(gAlbumState.SelectedCount, 0);
  EXPECT_TRUE(f.shpDropPosition->isHidden());
  EXPECT_TRUE(f.shpThumbnailSelect[16]->isHidden());
  EXPECT_FALSE(f.ThumbDrag.ThumbArmed || f.ThumbDrag.ThumbDragging);

  // The right half of a photo puts the block after it; a press and release alone changes nothing.
  Click(f.imgThumbnail[0]);
  Press(f, 0);
  MoveTo(f, 0, QPointF(24 + 128 + 70, 40));
  ReleaseAt(f, 0, QPointF(24 + 128 + 70, 40));
  EXPECT_EQ(ListOf("Trip"), CrLf({"t4.jpg", "t2.jpg", "t1.jpg", "t3.jpg", "t5.jpg", "t6.jpg"}));
  Click(f.imgThumbnail[5]);
  EXPECT_EQ(ListOf("Trip"), CrLf({"t4.jpg", "t2.jpg", "t1.jpg", "t3.jpg", "t5.jpg", "t6.jpg"}));
  EXPECT_EQ(gAlbumState.SelectedCount, 1);
}

TEST_F(Dragging, BelowAndAboveTheGridTurnThePage) {
  frmMain& f = Load(20);
  Click(f.imgThumbnail[0]);
  Press(f, 0);
  MoveTo(f, 0, QPointF(300, 475));  // just below page 1: page 2, column 2 of its top row
  EXPECT_EQ(gAlbumState.CurrentPage, 2);
  EXPECT_EQ(f.lbStatusPage->text(), "Page 2 of 2");
  EXPECT_EQ(f.shpDropPosition->pos(), QPoint(280 - 15, 16));
  MoveTo(f, 0, QPointF(300, -3));  // just above page 2: back to page 1, bottom row
  EXPECT_EQ(gAlbumState.CurrentPage, 1);
  EXPECT_EQ(f.shpDropPosition->pos(), QPoint(280 - 15, 16 + 3 * 112));
  MoveTo(f, 0, QPointF(300, 475));
  ReleaseAt(f, 0, QPointF(300, 475));  // before photo 19
  Names expected;
  for (int i = 2; i <= 18; ++i) expected.push_back("t" + std::to_string(i) + ".jpg");
  expected.insert(expected.end(), {"t1.jpg", "t19.jpg", "t20.jpg"});
  EXPECT_EQ(ListOf("Trip"), CrLf(expected));
  EXPECT_EQ(gAlbumState.CurrentPage, 2);
  EXPECT_EQ(f.lbThumbnailFile[1]->text(), "t1.jpg");

  // A release that arrives while the page turns is handled once the move is done,
  // on the page it turned to: photo 17 goes before photo 15.
  Click(f.imgThumbnail[0]);
  Press(f, 0);
  QWidget* thumb = f.imgThumbnail[0];
  const QPointF at = QPointF(300, -3) - thumb->pos();
  QApplication::postEvent(
      thumb, new QMouseEvent(QEvent::MouseButtonRelease, at, thumb->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                             Qt::NoModifier));
  MoveTo(f, 0, QPointF(300, -3));
  Names after(expected.begin(), expected.begin() + 14);
  after.insert(after.end(), {"t18.jpg", "t16.jpg", "t17.jpg", "t1.jpg", "t19.jpg", "t20.jpg"});
  EXPECT_EQ(ListOf("Trip"), CrLf(after));
  EXPECT_EQ(gAlbumState.CurrentPage, 1);

  // A move without the left button held (its release went elsewhere) ends the drag.
  Press(f, 0);
  f.imgThumbnail_MouseMove(0, 0, 0, 900, 900);
  EXPECT_FALSE(f.ThumbDrag.ThumbArmed || f.ThumbDrag.ThumbDragging);
  EXPECT_TRUE(f.shpThumbnailSelect[16]->isHidden());
}

TEST_F(Dragging, ADropOnAGroupButtonCopiesTheSelection) {
  Group("Zoo", 1, "z");
  frmMain& f = Load(4);
  Click(f.imgThumbnail[0]);
  Click(f.imgThumbnail[2], Qt::LeftButton, Qt::ShiftModifier);
  Press(f, 2, Qt::ShiftModifier);
  const int beach = ButtonOf(f, "Beach");
  MoveTo(f, 2, OverButton(f, beach));
  EXPECT_EQ(gAlbumState.DropTarget, beach);
  EXPECT_EQ(f.imgThumbnail[2]->cursor().shape(), Qt::BitmapCursor);
  EXPECT_TRUE(f.shpDropPosition->isHidden());
  // The loaded group's own button and the all-photos button take nothing, as in the group picker.
  for (const std::string& group : {std::string("Trip"), std::string(kAllPhotosGroup)}) {
    MoveTo(f, 2, OverButton(f, ButtonOf(f, group)));
    EXPECT_EQ(gAlbumState.DropTarget, -1) << group;
    EXPECT_EQ(f.imgThumbnail[2]->cursor().shape(), Qt::ForbiddenCursor);
  }
  MoveTo(f, 2, OverButton(f, beach));
  ReleaseAt(f, 2, OverButton(f, beach));
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b2.jpg", "t1.jpg", "t2.jpg", "t3.jpg"}));
  EXPECT_EQ(ListOf("Trip"), CrLf({"t1.jpg", "t2.jpg", "t3.jpg", "t4.jpg"}));
  EXPECT_EQ(gAlbumState.SelectedCount, 3);
  EXPECT_EQ(f.imgThumbnail[2]->cursor().shape(), Qt::ArrowCursor);

  // Left of the grid but off every button: no drop.
  Press(f, 2, Qt::ShiftModifier);
  MoveTo(f, 2, QPointF(-20, 460));
  EXPECT_EQ(gAlbumState.DropTarget, -1);
  ReleaseAt(f, 2, QPointF(-20, 460));
  EXPECT_EQ(ListOf("Trip"), CrLf({"t1.jpg", "t2.jpg", "t3.jpg", "t4.jpg"}));

  // A copy that fails is told, naming the group.
  const int zoo = ButtonOf(f, "Zoo");
  std::filesystem::remove(Path("Photo_SlideGroups/Zoo.lst"));
  std::filesystem::create_directory(Path("Photo_SlideGroups/Zoo.lst"));
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  Press(f, 2, Qt::ShiftModifier);
  MoveTo(f, 2, OverButton(f, zoo));
  ReleaseAt(f, 2, OverButton(f, zoo));
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "The photo(s) could not be copied to the group \"Zoo\".");
}

TEST_F(Dragging, AReorderNeverWritesOverEntriesAddedSinceTheRead) {
  frmMain& f = Load(3);
  Click(f.imgThumbnail[2]);
  Press(f, 2);
  MoveTo(f, 2, QPointF(30, 20));
  // Another window appended to the list meanwhile.
  Write("Photo_SlideGroups/Trip.lst", CrLf({"t1.jpg", "t2.jpg", "t3.jpg", "b1.jpg"}));
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  ReleaseAt(f, 2, QPointF(30, 20));
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "The new order of the group \"Trip\" could not be saved.");
  EXPECT_EQ(ListOf("Trip"), CrLf({"t1.jpg", "t2.jpg", "t3.jpg", "b1.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 4);
  // After the strip scrolled the loaded group away, the drop still rewrites the loaded list only.
  for (int g = 1; g <= 9; ++g) Write("Photo_SlideGroups/G" + std::to_string(g) + ".lst", "g\r\n");
  f.LoadGroupNames();
  ASSERT_TRUE(f.ScrollGroupNames(3));
  Click(f.imgThumbnail[3]);
  Press(f, 3);
  MoveTo(f, 3, QPointF(30, 20));
  ReleaseAt(f, 3, QPointF(30, 20));
  EXPECT_EQ(ListOf("Trip"), CrLf({"b1.jpg", "t1.jpg", "t2.jpg", "t3.jpg"}));
  for (int g = 1; g <= 9; ++g) EXPECT_EQ(ListOf("G" + std::to_string(g)), "g\r\n");
}

}  // namespace
