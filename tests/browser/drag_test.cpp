// Dragging thumbnails with real mouse events: reordering the loaded group's list,
// turning pages at the grid's edges, and copying onto a group button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <filesystem>
#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "window_fixture.h"

namespace {

using Names = std::vector<std::string>;

Names Photos(const std::string& stem, int from, int to) {
  Names out;
  for (int i = from; i <= to; ++i) out.push_back(stem + std::to_string(i) + ".jpg");
  return out;
}

class Dragging : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    Write("Photo_SlideGroups/  All Photos  .lst", "");
    Group("Beach", Photos("b", 1, 2));
  }
  void Group(const std::string& name, const Names& lines) {
    for (const auto& p : lines) AddPhoto(p);
    Write("Photo_SlideGroups/" + name + ".lst", CrLf(lines));
  }
  std::string ListOf(const std::string& group) const { return Read("Photo_SlideGroups/" + group + ".lst"); }

  static int ButtonOf(frmMain& f, const std::string& group) {
    for (int i = 0; i < 8; ++i)
      if (!f.pctAlbumList[size_t(i)]->isHidden() && f.lbAlbumList[size_t(i)]->text().toStdString() == group) return i;
    ADD_FAILURE() << group;
    return 0;
  }
  // The group "Trip" of photos t1.jpg .. tn.jpg, loaded through its strip button.
  frmMain& Load(int n) {
    Group("Trip", Photos("t", 1, n));
    frmMain& f = frmMain::Get();
    f.LoadGroupNames();
    f.pctAlbumList_MouseDown(ButtonOf(f, "Trip"), 1, 0, 0, 0);
    return f;
  }
};

TEST_F(Dragging, ADropInTheGridMovesTheSelectionAsOneBlock) {
  frmMain& f = Load(6);
  Click(f.imgThumbnail[1]);
  Click(f.imgThumbnail[3], Qt::LeftButton, Qt::ControlModifier);
  // Shift+Ctrl keeps 2 and 4 selected. Within 200 twips of the press no drag yet;
  // past them it goes on near the start too.
  Drag(f, 3, {f.imgThumbnail[3]->pos()}, false, Qt::ShiftModifier | Qt::ControlModifier);
  f.imgThumbnail_MouseMove(3, 1, 0, 75 + 200, 75 - 200);
  EXPECT_FALSE(f.ThumbDrag.ThumbDragging);
  f.imgThumbnail_MouseMove(3, 1, 0, 75 + 201, 75);
  f.imgThumbnail_MouseMove(3, 1, 0, 75, 75);
  EXPECT_EQ(gAlbumState.DropTarget, -2);
  EXPECT_EQ(f.shpThumbnailSelect[16]->pos(), f.imgThumbnail[3]->pos());
  EXPECT_TRUE(f.imgThumbnail[3]->toolTip().endsWith("Drag-n-drop to rearrange.  [Media File: t4.jpg]"));
  // Over the left half of the first photo the marker stands before it; the block goes to the top.
  f.imgThumbnail_MouseMove(3, 1, 0, (30 - 408) * 15, 20 * 15);
  EXPECT_EQ(f.shpDropPosition->pos(), QPoint(9, 16));
  f.imgThumbnail_MouseUp(3, 1, 0, 0, 0);
  EXPECT_EQ(ListOf("Trip"), CrLf({"t2.jpg", "t4.jpg", "t1.jpg", "t3.jpg", "t5.jpg", "t6.jpg"}));
  EXPECT_EQ(f.lbThumbnailFile[2]->text(), "t1.jpg");
  EXPECT_EQ(gAlbumState.SelectedCount, 0);
  EXPECT_TRUE(f.shpDropPosition->isHidden() && f.shpThumbnailSelect[16]->isHidden());

  // The right half puts it after the photo; a press and release alone changes nothing.
  Click(f.imgThumbnail[0]);
  Drag(f, 0, {{24 + 128 + 70, 40}});
  Click(f.imgThumbnail[5]);
  EXPECT_EQ(ListOf("Trip"), CrLf({"t4.jpg", "t2.jpg", "t1.jpg", "t3.jpg", "t5.jpg", "t6.jpg"}));
  EXPECT_EQ(gAlbumState.SelectedCount, 1);
}

TEST_F(Dragging, BelowAndAboveTheGridTurnThePage) {
  frmMain& f = Load(20);
  Click(f.imgThumbnail[0]);
  Drag(f, 0, {{300, 475}}, false);  // just below page 1: page 2, column 2 of its top row
  EXPECT_EQ(f.lbStatusPage->text(), "Page 2 of 2");
  EXPECT_EQ(f.shpDropPosition->pos(), QPoint(280 - 15, 16));
  Drag(f, 0, {{300, -3}}, false);  // just above page 2: page 1, bottom row
  EXPECT_EQ(gAlbumState.CurrentPage, 1);
  EXPECT_EQ(f.shpDropPosition->pos(), QPoint(280 - 15, 16 + 3 * 112));
  Drag(f, 0, {{300, 475}});  // before photo 19
  Names expected = Photos("t", 2, 18);
  expected.insert(expected.end(), {"t1.jpg", "t19.jpg", "t20.jpg"});
  EXPECT_EQ(ListOf("Trip"), CrLf(expected));
  EXPECT_EQ(f.lbThumbnailFile[1]->text(), "t1.jpg");

  // A release that comes while the page turns is handled once the move is done,
  // on the page it turned to: photo 17 goes before photo 15.
  Click(f.imgThumbnail[0]);
  QWidget* thumb = f.imgThumbnail[0];
  const QPointF at = QPointF(300, -3) - thumb->pos();
  Drag(f, 0, {{300, 20}}, false);
  QApplication::postEvent(thumb, new QMouseEvent(QEvent::MouseButtonRelease, at, thumb->mapToGlobal(at),
                                                 Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  SendMouse(thumb, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
  Names after(expected.begin(), expected.begin() + 14);
  after.insert(after.end(), {"t18.jpg", "t16.jpg", "t17.jpg", "t1.jpg", "t19.jpg", "t20.jpg"});
  EXPECT_EQ(ListOf("Trip"), CrLf(after));

  // A move without the left button held (its release went elsewhere) ends the drag.
  Drag(f, 0, {{300, 20}}, false);
  f.imgThumbnail_MouseMove(0, 0, 0, 900, 900);
  EXPECT_FALSE(f.ThumbDrag.ThumbArmed || f.ThumbDrag.ThumbDragging);
}

TEST_F(Dragging, ADropOnAnotherGroupsButtonCopiesTheSelection) {
  Group("Zoo", {"z1.jpg"});
  frmMain& f = Load(4);
  Click(f.imgThumbnail[0]);
  Click(f.imgThumbnail[2], Qt::LeftButton, Qt::ShiftModifier);
  const int beach = ButtonOf(f, "Beach");
  Drag(f, 2, {OverButton(f, beach)}, false, Qt::ShiftModifier);
  EXPECT_EQ(gAlbumState.DropTarget, beach);
  EXPECT_EQ(f.imgThumbnail[2]->cursor().shape(), Qt::BitmapCursor);
  // The loaded group's own button and the all-photos button take nothing, as in the group picker.
  for (const std::string& group : {std::string("Trip"), kAllPhotosGroup}) {
    Drag(f, 2, {OverButton(f, ButtonOf(f, group))}, false, Qt::ShiftModifier);
    EXPECT_EQ(gAlbumState.DropTarget, -1) << group;
    EXPECT_EQ(f.imgThumbnail[2]->cursor().shape(), Qt::ForbiddenCursor);
  }
  Drag(f, 2, {{-20, 460}}, true, Qt::ShiftModifier);  // off every button: nothing
  Drag(f, 2, {OverButton(f, beach)}, true, Qt::ShiftModifier);
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b2.jpg", "t1.jpg", "t2.jpg", "t3.jpg"}));
  EXPECT_EQ(ListOf("Trip"), CrLf(Photos("t", 1, 4)));
  EXPECT_EQ(gAlbumState.SelectedCount, 3);
  EXPECT_EQ(f.imgThumbnail[2]->cursor().shape(), Qt::ArrowCursor);

  // A copy that fails is told, naming the group.
  std::filesystem::remove(Path("Photo_SlideGroups/Zoo.lst"));
  std::filesystem::create_directory(Path("Photo_SlideGroups/Zoo.lst"));
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  Drag(f, 2, {OverButton(f, ButtonOf(f, "Zoo"))}, true, Qt::ShiftModifier);
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "The photo(s) could not be copied to the group \"Zoo\".");
}

TEST_F(Dragging, AReorderRewritesOnlyTheLoadedListAsItWasRead) {
  frmMain& f = Load(3);
  Click(f.imgThumbnail[2]);
  Drag(f, 2, {{30, 20}}, false);
  Write("Photo_SlideGroups/Trip.lst", CrLf({"t1.jpg", "t2.jpg", "t3.jpg", "b1.jpg"}));  // appended meanwhile
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.imgThumbnail_MouseUp(2, 1, 0, 0, 0);
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "The new order of the group \"Trip\" could not be saved.");
  EXPECT_EQ(ListOf("Trip"), CrLf({"t1.jpg", "t2.jpg", "t3.jpg", "b1.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 4);
  // With the loaded group scrolled off the strip, the drop still rewrites its list only.
  for (int g = 1; g <= 9; ++g) Write("Photo_SlideGroups/G" + std::to_string(g) + ".lst", "g\r\n");
  f.LoadGroupNames();
  ASSERT_TRUE(f.ScrollGroupNames(3));
  Click(f.imgThumbnail[3]);
  Drag(f, 3, {{30, 20}});
  EXPECT_EQ(ListOf("Trip"), CrLf({"b1.jpg", "t1.jpg", "t2.jpg", "t3.jpg"}));
  for (int g = 1; g <= 9; ++g) EXPECT_EQ(ListOf("G" + std::to_string(g)), "g\r\n");
}

}  // namespace
