// The group strip on a real archive: listing, scrolling and pressing group buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <filesystem>
#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/group_names.h"
#include "core/modquillmont.h"
#include "window_fixture.h"

namespace {

class Strip : public WindowTest {
protected:

  // A group of n photos named <stem>1.jpg..., each with its information file.
  void Group(const std::string& name, int n, const std::string& stem = "p") {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) AddPhoto(lines.emplace_back(stem + std::to_string(i) + ".jpg"));
    Write("Photo_SlideGroups/" + name + ".lst", CrLf(lines));
  }

  static std::vector<std::string> Captions(frmMain& f) {
    std::vector<std::string> out;
    for (int i = 0; i < 8; ++i)
      if (!f.pctAlbumList[size_t(i)]->isHidden()) out.push_back(f.lbAlbumList[size_t(i)]->text().toStdString());
    return out;
  }

  // The buttons showing the pressed face.
  static std::vector<int> Pressed(frmMain& f) {
    const QImage pressed = f.pctAlbumList[10]->pixmap().toImage();
    std::vector<int> out;
    for (int i = 0; i < 8; ++i)
      if (f.pctAlbumList[size_t(i)]->pixmap().toImage() == pressed) out.push_back(i);
    return out;
  }

  static bool Shown(QWidget* w) { return !w->isHidden(); }

  // Presses button i of the strip with the left mouse button.
  static void Press(frmMain& f, int i) { f.pctAlbumList_MouseDown(i, 1, 0, 0, 0); }

  // A right click on button i; returns whether Remove and Rename were enabled
  // while the group menu was up.
  static std::pair<bool, bool> RightClick(frmMain& f, int i) {
    return EnabledInPopUp([&] { f.pctAlbumList_MouseDown(i, 2, 0, 0, 0); }, f.mnuGroupRemove, f.mnuGroupRenameGroup);
  }
};

TEST_F(Strip, EmptyFolderListsAllPhotosAloneWithoutArrows) {
  frmMain& f = frmMain::Get();
  EXPECT_EQ(Captions(f), std::vector<std::string>{kAllPhotosGroup});
  EXPECT_FALSE(Shown(f.pctArrows[0]));
  EXPECT_FALSE(Shown(f.pctArrows[2]));
  EXPECT_EQ(f.pctAlbumList[3]->geometry(), QRect(16, 176, 139, 31));
}

TEST_F(Strip, NamesAreTheFileNamesWithoutLstAndAllPhotosOnce) {
  Write("Photo_SlideGroups/  all photos  .lst", "");
  Group("holiday.2001", 2);
  Write("Photo_SlideGroups/notes.txt", "");
  // Names beginning with "." are hidden files here, as every listing treats them.
  Write("Photo_SlideGroups/.lst", "");
  frmMain& f = frmMain::Get();
  EXPECT_EQ(lstSlideGroups.Items(), (std::vector<std::string>{kAllPhotosGroup, "holiday.2001"}));
  EXPECT_EQ(Captions(f), (std::vector<std::string>{kAllPhotosGroup, "holiday.2001"}));
  f.lbAlbumList_MouseMove(1, 0, 0, 0, 0);
  EXPECT_EQ(f.lbAlbumList[1]->toolTip(), "holiday.2001 (Right-click for menu.)");
  // A name with a dot, put there by hand, opens like any other.
  Press(f, 1);
  EXPECT_EQ(gAlbumState.CurrentGroupName, "holiday.2001");
  EXPECT_EQ(f.LoadedGroupFile(), "holiday.2001.lst");
  EXPECT_EQ(gAlbumState.PhotoCount, 2);
  EXPECT_EQ(Pressed(f), std::vector<int>{1});
  EXPECT_EQ(f.lbThumbnailFile[1]->text(), "p2.jpg");
}

TEST_F(Strip, NineGroupsScrollByOneAndTheLoadedGroupStaysTheTruth) {
  Group("  All Photos  ", 3);
  for (int g = 1; g <= 8; ++g) Group("G" + std::to_string(g), g + 1, "g" + std::to_string(g) + "_");
  frmMain& f = frmMain::Get();
  EXPECT_FALSE(Shown(f.pctArrows[0]));
  EXPECT_TRUE(Shown(f.pctArrows[2]));

  Press(f, 3);  // G3
  ASSERT_EQ(gAlbumState.CurrentGroupName, "G3");
  EXPECT_EQ(Pressed(f), std::vector<int>{3});

  f.pctArrows_Click(2);
  EXPECT_EQ(gAlbumState.TopGroupIndex, 1);
  EXPECT_TRUE(Shown(f.pctArrows[0]));
  EXPECT_FALSE(Shown(f.pctArrows[2]));
  EXPECT_FALSE(Shown(f.pctArrows[3]));  // the pressed face is gone again
  EXPECT_EQ(Captions(f).front(), "G1");
  EXPECT_EQ(Captions(f).back(), "G8");
  // The button now at the old position shows G4; G3 moved up and stays pressed.
  EXPECT_EQ(Pressed(f), std::vector<int>{2});
  EXPECT_FALSE(f.ScrollGroupNames(2));

  // A reload as other windows ask for it reads G3, not the group at its old place.
  gAlbumState.CurrentImageIndex = 2;
  Press(f, gAlbumState.SelectedButton);
  EXPECT_EQ(gAlbumState.CurrentGroupName, "G3");
  EXPECT_EQ(gAlbumState.PhotoCount, 4);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(f.GroupClick, "G3");

  // Scrolled off the strip, the loaded group is still reloaded by its name.
  Press(f, 0);  // G1
  f.pctArrows_Click(2);  // cannot move further: nothing changes
  f.ScrollGroupNames(0);
  f.ScrollGroupNames(1);
  Press(f, 7);  // G8, bottom of the strip
  f.ScrollGroupNames(0);
  EXPECT_TRUE(Pressed(f).empty());
  EXPECT_EQ(gAlbumState.SelectedButton, -1);
  Press(f, gAlbumState.SelectedButton);
  EXPECT_EQ(gAlbumState.CurrentGroupName, "G8");
  EXPECT_EQ(gAlbumState.PhotoCount, 9);
}

TEST_F(Strip, AStripLeftPastTheEndByARemovalCanGoBackUp) {
  for (int g = 1; g <= 9; ++g) Group("G" + std::to_string(g), 1);
  frmMain& f = frmMain::Get();
  ASSERT_TRUE(f.ScrollGroupNames(2));
  for (int g = 7; g <= 9; ++g) std::filesystem::remove(Path("Photo_SlideGroups/G" + std::to_string(g) + ".lst"));
  ASSERT_TRUE(f.LoadGroupNames());
  EXPECT_EQ(Captions(f), (std::vector<std::string>{"G2", "G3", "G4", "G5", "G6"}));
  EXPECT_TRUE(Shown(f.pctArrows[0]));
  f.pctArrows_Click(0);
  f.pctArrows_Click(0);
  EXPECT_EQ(gAlbumState.TopGroupIndex, 0);
  EXPECT_EQ(Captions(f).front(), kAllPhotosGroup);
  EXPECT_FALSE(Shown(f.pctArrows[0]));
}

TEST_F(Strip, RightClickOpensTheGroupMenuWithoutChangingTheGroup) {
  Group("  All Photos  ", 2);
  Group("Beach", 2);
  frmMain& f = frmMain::Get();
  EXPECT_EQ(RightClick(f, 0), std::make_pair(false, false));
  EXPECT_EQ(RightClick(f, 1), std::make_pair(true, true));
  EXPECT_EQ(f.GroupClick, "Beach");
  EXPECT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
  EXPECT_EQ(Pressed(f), std::vector<int>{0});
  EXPECT_EQ(ViewMode, 0);
}

TEST_F(Strip, SameGroupKeepsPageAndPhotoAnotherStartsAtPhotoOne) {
  Group("  All Photos  ", 3);
  Group("Trip", 40);
  Group("Zoo", 5, "z");
  frmMain& f = frmMain::Get();
  // At start-up photo 1 is current and the placeholder is never selected.
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  EXPECT_EQ(SelectedFlags.at(0), 0);

  Press(f, 1);
  f.VScroll1->setValue(2);
  ASSERT_EQ(gAlbumState.CurrentPage, 2);
  f.imgThumbnail_MouseDown(3, 1, 0, 0, 0);  // photo 20
  f.imgThumbnail_MouseDown(5, 1, 2, 0, 0);  // and 22 by Ctrl
  ASSERT_EQ(gAlbumState.SelectedCount, 2);

  Press(f, 1);
  EXPECT_EQ(gAlbumState.CurrentPage, 2);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 22);
  EXPECT_EQ(gAlbumState.SelectedCount, 1);
  EXPECT_EQ(SelectedFlags.at(22), 1);
  EXPECT_EQ(f.lbStatusPage->text(), "Page 2 of 3");

  Press(f, 2);
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Zoo");
  EXPECT_EQ(gAlbumState.CurrentPage, 1);
  EXPECT_EQ(f.VScroll1->value(), 1);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  EXPECT_EQ(gAlbumState.SelectedCount, 0);
  EXPECT_EQ(f.lbCount->text(), "Group [Zoo] Viewing 1 of 5");
  EXPECT_EQ(ViewMode, 0);
}

TEST_F(Strip, AShortenedGroupNeverStaysOnAPagePastItsEnd) {
  Group("Trip", 40);
  frmMain& f = frmMain::Get();
  Press(f, 1);
  f.VScroll1->setValue(3);
  f.imgThumbnail_MouseDown(7, 1, 0, 0, 0);  // photo 40
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 40);
  Group("Trip", 20);
  Press(f, gAlbumState.SelectedButton);
  EXPECT_EQ(gAlbumState.CurrentPage, 2);
  EXPECT_EQ(f.VScroll1->value(), 2);
  EXPECT_EQ(f.lbStatusPage->text(), "Page 2 of 2");
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 20);
  EXPECT_EQ(gAlbumState.SelectedCount, 1);
  EXPECT_FALSE(f.imgThumbnail[3]->isHidden());
  EXPECT_TRUE(f.imgThumbnail[4]->isHidden());

  Group("Trip", 0);
  Press(f, gAlbumState.SelectedButton);
  EXPECT_EQ(gAlbumState.CurrentPage, 1);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 0);
  EXPECT_EQ(gAlbumState.SelectedCount, 0);
  EXPECT_EQ(f.lbStatusCount->text(), "Photo 0 of 0");
}

TEST_F(Strip, AnUnreadableGroupLeavesTheLoadedOneLoadedAndPressed) {
  Group("  All Photos  ", 4);
  Group("Beach", 2);
  frmMain& f = frmMain::Get();
  std::filesystem::remove(Path("Photo_SlideGroups/Beach.lst"));
  Press(f, 1);
  EXPECT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
  EXPECT_EQ(Pressed(f), std::vector<int>{0});
  EXPECT_EQ(f.GroupClick, "Beach");
}

}  // namespace

TEST_F(Strip, AGroupFolderThatCannotBeListedLeavesTheStripAsItWas) {
  Group("beach", 2);
  Group("zoo", 1, "z");
  frmMain& f = frmMain::Get();
  const auto before = Captions(f);
  ASSERT_EQ(before.size(), 3u);

  std::filesystem::create_directory_symlink(Path("loop"), Path("loop"));  // a link to itself
  const std::string groups = SlideGroupsFolder;
  SlideGroupsFolder = Path("loop") + "/";
  EXPECT_FALSE(f.LoadGroupNames());
  SlideGroupsFolder = groups;
  EXPECT_EQ(Captions(f), before);
  EXPECT_EQ(lstSlideGroups.ListCount(), 3);
}
