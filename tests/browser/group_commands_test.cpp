// The group commands and the group picker on a real archive: lists, songs, the
// strip and the grid after each command.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "browser/frmGroups.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/group_names.h"
#include "core/modquillmont.h"
#include "support/fs_faults.h"
#include "window_fixture.h"

namespace {

using Names = std::vector<std::string>;

class GroupCommands : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    Write("Photo_SlideGroups/  All Photos  .lst", "");
  }

  // A group of photos <stem>1.jpg ... <stem>n.jpg.
  void Group(const std::string& name, int n, const std::string& stem) {
    Names lines;
    for (int i = 1; i <= n; ++i) AddPhoto(lines.emplace_back(stem + std::to_string(i) + ".jpg"));
    Write("Photo_SlideGroups/" + name + ".lst", CrLf(lines));
  }
  std::string ListOf(const std::string& group) const { return Read("Photo_SlideGroups/" + group + ".lst"); }
  std::string Prompt(size_t i) const { return i < prompter.Prompts().size() ? prompter.Prompts()[i].text : ""; }

  // Loads the group on strip button i.
  static frmMain& Press(int i) {
    frmMain::Get().pctAlbumList_MouseDown(i, 1, 0, 0, 0);
    return frmMain::Get();
  }

  static Names Captions(frmMain& f) {
    Names out;
    for (int i = 0; i < 8; ++i)
      if (!f.pctAlbumList[size_t(i)]->isHidden()) out.push_back(f.lbAlbumList[size_t(i)]->text().toStdString());
    return out;
  }

  static Names PickerEntries(frmGroups& g) {
    Names out;
    for (int r = 0; r < g.lstGroups->count(); ++r) out.push_back(g.lstGroups->item(r)->text().toStdString());
    return out;
  }

  // Runs open, which shows the picker modally, and act while it is up.
  static void WithPicker(const std::function<void()>& open, const std::function<void(frmGroups&)>& act) {
    bool up = false;
    QTimer::singleShot(0, [&] {
      frmGroups& g = frmGroups::Get();
      up = g.isVisible();
      act(g);
      g.hide();
    });
    open();
    EXPECT_TRUE(up);
  }

  // Picks an entry by a real release of the mouse over the list.
  static void PickByMouse(frmGroups& g, int row) {
    g.lstGroups->setCurrentRow(row);
    SendMouse(g.lstGroups->viewport(), QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton, Qt::NoButton);
  }
};

TEST_F(GroupCommands, CreateListsTheNewGroupWithoutLoadingItAndRefusesTakenNames) {
  Group("Beach", 2, "b");
  Write("Photo_SlideGroups/a_b.lst", CrLf({"x.jpg"}));
  frmMain& f = Press(2);
  for (const char* answer : {"BEACH", "a.b"}) {
    prompter.ExpectInput(answer);
    prompter.ExpectMsg(qm::MsgAnswer::OK);
  }
  prompter.ExpectInput("Trip");
  f.mnuFileCreate->trigger();

  const auto& p = prompter.Prompts();
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[0].text, "Enter name for new group.");
  EXPECT_EQ(p[0].title, "New Album Group");
  EXPECT_EQ(p[0].defaultText, "new group");
  EXPECT_EQ(p[1].text, "Album group name already exists. Select a new name.");
  EXPECT_EQ(p[1].title, "Group Exists.");
  EXPECT_EQ(p[2].defaultText, "BEACH");
  EXPECT_EQ(p[4].defaultText, "a_b");
  EXPECT_EQ(ListOf("Trip"), "");
  EXPECT_EQ(ListOf("a_b"), CrLf({"x.jpg"}));
  EXPECT_EQ(Captions(f), (Names{kAllPhotosGroup, "a_b", "Beach", "Trip"}));
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Beach");
}

TEST_F(GroupCommands, PickerCopiesAndMovesToOtherGroupsOnlyAndNamesATargetThatFails) {
  Group("Beach", 4, "b");
  Group("Trip", 1, "t");
  Group("Zoo", 1, "z");
  frmMain& f = Press(1);
  Click(f.imgThumbnail[1]);
  Click(f.imgThumbnail[2], Qt::LeftButton, Qt::ControlModifier);

  WithPicker([&] { f.mnuEditAdd->trigger(); }, [&](frmGroups& g) {
    EXPECT_EQ(g.windowTitle(), "Copy photo(s) to ...");
    EXPECT_EQ(PickerEntries(g), (Names{"Trip", "Zoo"}));
    PickByMouse(g, 1);
    EXPECT_FALSE(g.isVisible());
  });
  EXPECT_EQ(ListOf("Zoo"), CrLf({"z1.jpg", "b2.jpg", "b3.jpg"}));
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b2.jpg", "b3.jpg", "b4.jpg"}));

  // Enter acts as a click; the loaded group is read again, nothing selected.
  WithPicker([&] { f.mnuThumbMove->trigger(); }, [&](frmGroups& g) {
    EXPECT_EQ(g.windowTitle(), "Move photo(s) to ...");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(g.lstGroups, &enter);
  });
  EXPECT_EQ(ListOf("Trip"), CrLf({"t1.jpg", "b2.jpg", "b3.jpg"}));
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b4.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 2);
  EXPECT_EQ(gAlbumState.SelectedCount, 0);

  // A target that takes no lines (a folder in its place) changes no list.
  Click(f.imgThumbnail[0]);
  std::filesystem::remove(Path("Photo_SlideGroups/Zoo.lst"));
  std::filesystem::create_directory(Path("Photo_SlideGroups/Zoo.lst"));
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_FALSE(f.MoveToGroup("Zoo.lst"));
  WithPicker([&] { f.mnuEditAdd_Click(); }, [&](frmGroups& g) { PickByMouse(g, 1); });
  EXPECT_EQ(Prompt(0), "The photo(s) could not be moved to the group \"Zoo\".");
  EXPECT_EQ(Prompt(1), "The photo(s) could not be copied to the group \"Zoo\".");
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b4.jpg"}));
  EXPECT_EQ(gAlbumState.SelectedCount, 1);

  // Refilled at every showing, without the group now loaded.
  Press(2);
  WithPicker([&] { f.mnuEditAdd_Click(); }, [&](frmGroups& g) { EXPECT_EQ(PickerEntries(g), (Names{"Beach", "Zoo"})); });
}

TEST_F(GroupCommands, ANewGroupFromThePickerReceivesTheMovedPhotos) {
  Group("Beach", 3, "b");
  frmMain& f = Press(1);
  Click(f.imgThumbnail[0]);
  prompter.ExpectInput("Trip");
  WithPicker([&] { f.mnuEditMove->trigger(); }, [&](frmGroups& g) {
    // With no group to pick, a release over the list does nothing.
    PickByMouse(g, 0);
    EXPECT_TRUE(g.isVisible());
    Click(g.cmdNewGroup);
  });
  EXPECT_EQ(ListOf("Trip"), CrLf({"b1.jpg"}));
  EXPECT_EQ(ListOf("Beach"), CrLf({"b2.jpg", "b3.jpg"}));
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Beach");
  EXPECT_EQ(Captions(f), (Names{kAllPhotosGroup, "Beach", "Trip"}));
}

TEST_F(GroupCommands, RenameChangesTheButtonAndEntryOfTheRenamedGroupWhereverTheStripStands) {
  for (const char* g : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}) Group(g, 1, g);
  Write("Photo_Midi/E.mid", "song");
  frmMain& f = frmMain::Get();
  ASSERT_TRUE(f.ScrollGroupNames(3));
  Press(2);
  prompter.ExpectInput("Echo");
  f.mnuGroupRenameGroup->trigger();
  EXPECT_EQ(Prompt(0), "Rename \"E\" group to ...");
  EXPECT_EQ(ListOf("Echo"), CrLf({"E1.jpg"}));
  EXPECT_EQ(Read("Photo_Midi/Echo.mid"), "song");
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Echo");
  EXPECT_EQ(Captions(f), (Names{"C", "D", "Echo", "F", "G", "H", "I", "J"}));
  EXPECT_EQ(lstSlideGroups.Items(), (Names{kAllPhotosGroup, "A", "B", "C", "D", "Echo", "F", "G", "H", "I", "J"}));

  // A group scrolled out of the strip: only its list entry changes.
  ASSERT_TRUE(f.ScrollGroupNames(0));
  Press(2);
  ASSERT_TRUE(f.ScrollGroupNames(3));
  prompter.ExpectInput("Bravo");
  f.mnuFileRenameGroup->trigger();
  EXPECT_EQ(prompter.Prompts().back().defaultText, "Echo");
  EXPECT_EQ(Captions(f), (Names{"C", "D", "Echo", "F", "G", "H", "I", "J"}));
  EXPECT_EQ(lstSlideGroups.List(2), "Bravo");
}

TEST_F(GroupCommands, RenameTellsOfAKeptSongATakenNameAndAListThatStays) {
  Group("Trip", 1, "t");
  Group("Zoo", 1, "z");
  Write("Photo_Midi/Trip.mid", "mine");
  Write("Photo_Midi/Journey.mid", "leftover");
  frmMain& f = Press(1);
  prompter.ExpectInput("zoo");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  prompter.ExpectInput("Journey");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.RenameAlbumGroup(f.LoadedGroupFile());
  EXPECT_EQ(Prompt(1), "Group name already in use. Try another");
  EXPECT_EQ(prompter.Prompts()[1].title, "Rename Group");
  EXPECT_NE(Prompt(3).find("\"Journey.mid\""), std::string::npos);
  EXPECT_EQ(Read("Photo_Midi/Journey.mid"), "leftover");
  EXPECT_EQ(Captions(f), (Names{kAllPhotosGroup, "Journey", "Zoo"}));

  // The list file went away meanwhile: nothing changes and the user is told.
  std::filesystem::remove(Path("Photo_SlideGroups/Journey.lst"));
  prompter.ExpectInput("Voyage");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.RenameAlbumGroup(f.LoadedGroupFile());
  EXPECT_EQ(Prompt(5).rfind("The group \"Journey\" could not be renamed.", 0), 0u);
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Journey");
  EXPECT_EQ(Captions(f), (Names{kAllPhotosGroup, "Journey", "Zoo"}));
  EXPECT_EQ(lstSlideGroups.List(1), "Journey");
}

TEST_F(GroupCommands, ThePopUpRenamesTheClickedGroupAndADismissedPopUpRedirectsNoFileCommand) {
  Group("Beach", 1, "b");
  Group("Zoo", 1, "z");
  frmMain& f = Press(0);
  EnabledInPopUp([&] { f.pctAlbumList_MouseDown(2, 2, 0, 0, 0); }, f.mnuGroupRemove, f.mnuGroupRenameGroup);
  prompter.ExpectInput("Zebra");
  f.mnuGroupRenameGroup->trigger();
  EXPECT_EQ(Prompt(0), "Rename \"Zoo\" group to ...");
  EXPECT_EQ(ListOf("Zebra"), CrLf({"z1.jpg"}));
  EXPECT_EQ(gAlbumState.CurrentGroupName, kAllPhotosGroup);
  EXPECT_EQ(Captions(f), (Names{kAllPhotosGroup, "Beach", "Zebra"}));

  // Another group loaded keeps its name.
  Press(1);
  EnabledInPopUp([&] { f.pctAlbumList_MouseDown(2, 2, 0, 0, 0); }, f.mnuGroupRemove, f.mnuGroupRenameGroup);
  prompter.ExpectInput("Zoo");
  f.mnuGroupRenameGroup->trigger();
  EXPECT_EQ(Prompt(1), "Rename \"Zebra\" group to ...");
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg"}));
  EXPECT_EQ(ListOf("Zoo"), CrLf({"z1.jpg"}));
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Beach");

  // A dismissed pop-up leaves the File menu on the loaded group.
  EnabledInPopUp([&] { f.pctAlbumList_MouseDown(2, 2, 0, 0, 0); }, f.mnuGroupRemove, f.mnuGroupRenameGroup);
  prompter.ExpectMsg(qm::MsgAnswer::No);
  f.mnuFileRemove->trigger();
  prompter.ExpectInput("");
  f.mnuFileRenameGroup->trigger();
  EXPECT_EQ(Prompt(2), "Are you sure you want to delete this group -> Beach");
  EXPECT_EQ(Prompt(3), "Rename \"Beach\" group to ...");

  // The all-photos group is never renamed or removed, whoever names it.
  f.RenameAlbumGroup(kAllPhotosGroup);
  f.RemoveAlbumGroup(kAllPhotosGroup);
  EXPECT_EQ(prompter.Prompts().size(), 4u);
}

TEST_F(GroupCommands, RemoveGroupTakesTheClickedOrLoadedGroupWhichStaysOnShow) {
  Group("Beach", 2, "b");
  Group("Zoo", 1, "z");
  Write("Photo_Midi/Zoo.mid", "song");
  frmMain& f = Press(1);
  EnabledInPopUp([&] { f.pctAlbumList_MouseDown(2, 2, 0, 0, 0); }, f.mnuGroupRemove, f.mnuGroupRenameGroup);
  prompter.ExpectMsg(qm::MsgAnswer::No);
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.mnuGroupRemove->trigger();
  EXPECT_TRUE(Exists("Photo_SlideGroups/Zoo.lst"));
  f.mnuGroupRemove->trigger();
  EXPECT_EQ(Prompt(1), "Are you sure you want to delete this group -> Zoo");
  EXPECT_FALSE(Exists("Photo_SlideGroups/Zoo.lst"));
  EXPECT_FALSE(Exists("Photo_Midi/Zoo.mid"));
  EXPECT_TRUE(Exists("Photos/z1.jpg"));

  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.mnuFileRemove->trigger();
  EXPECT_EQ(Prompt(2), "Are you sure you want to delete this group -> Beach");
  EXPECT_EQ(Captions(f), Names{kAllPhotosGroup});
  EXPECT_EQ(gAlbumState.PhotoCount, 2);

  // Its list is never written back: moving, removing from it and reordering refuse.
  Write("Photo_SlideGroups/Trip.lst", CrLf({"t1.jpg"}));
  Click(f.imgThumbnail[1]);
  for (int i = 0; i < 3; ++i) prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_FALSE(f.MoveToGroup("Trip.lst"));
  f.mnuThumbRemove->trigger();
  SendMouse(f.imgThumbnail[1], QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton);
  f.imgThumbnail_MouseMove(1, 1, 0, 75 + 201, 75);
  f.imgThumbnail_MouseMove(1, 1, 0, 75, 75);
  EXPECT_EQ(gAlbumState.DropTarget, -2);
  f.imgThumbnail_MouseUp(1, 1, 0, 0, 0);
  for (size_t i = 3; i < 6; ++i) EXPECT_EQ(Prompt(i), "The group \"Beach\" no longer exists.");
  EXPECT_FALSE(Exists("Photo_SlideGroups/Beach.lst"));
  EXPECT_EQ(ListOf("Trip"), CrLf({"t1.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 2);
}

TEST_F(GroupCommands, RemoveFromGroupDropsTheSelectedPhotosAndReloads) {
  Group("Beach", 5, "b");
  frmMain& f = Press(1);
  Click(f.imgThumbnail[1]);
  Click(f.imgThumbnail[4], Qt::LeftButton, Qt::ControlModifier);
  prompter.ExpectMsg(qm::MsgAnswer::No);
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.mnuThumbRemove->trigger();
  EXPECT_EQ(gAlbumState.SelectedCount, 2);
  f.mnuEditRemoveFromGroup->trigger();
  EXPECT_EQ(Prompt(1), "Are you sure you want to remove the photograph(s) from this group?");
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b3.jpg", "b4.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 3);
  EXPECT_EQ(gAlbumState.SelectedCount, 0);
}

TEST_F(GroupCommands, CreateAndRemoveSayWhyTheyFailWhereverTheNewGroupIsAskedFor) {
  Group("Beach", 2, "b");
  frmMain& f = Press(1);
  Click(f.imgThumbnail[0]);
  const std::string longName(300, 'n');
  prompter.ExpectInput(longName);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  prompter.ExpectInput(std::nullopt);
  f.mnuFileCreate->trigger();
  EXPECT_EQ(Prompt(1).rfind("The name is too long for the file system.", 0), 0u) << Prompt(1);
  ASSERT_EQ(prompter.Prompts().size(), 3u);
  EXPECT_EQ(prompter.Prompts()[1].title, "New Album Group");
  EXPECT_EQ(Prompt(2), "Enter name for new group.");
  EXPECT_EQ(prompter.Prompts()[2].defaultText, longName);

  const std::vector<std::string> before = AllEntries(Path("Photo_SlideGroups"));
  {
    ReadOnlyFolder locked(Path("Photo_SlideGroups"));
    ASSERT_TRUE(locked.ok());
    const size_t from = prompter.Prompts().size();
    // The File menu, the thumbnail pop-up's "Create &New Group" and the picker's.
    for (int i = 0; i < 3; ++i) {
      prompter.ExpectInput("Trip");
      prompter.ExpectMsg(qm::MsgAnswer::OK);
    }
    f.mnuFileCreate->trigger();
    f.mnuThumbMoveNewGroup->trigger();
    WithPicker([&] { f.mnuEditMove->trigger(); }, [&](frmGroups& g) { Click(g.cmdNewGroup); });
    for (size_t i = from + 1; i < from + 6; i += 2)
      EXPECT_EQ(Prompt(i), "The group \"Trip\" could not be created. Permission denied.") << i;

    prompter.ExpectMsg(qm::MsgAnswer::Yes);
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    f.mnuFileRemove->trigger();
    EXPECT_EQ(Prompt(from + 7), "The group \"Beach\" could not be removed. Permission denied.");
  }
  EXPECT_EQ(AllEntries(Path("Photo_SlideGroups")), before);
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b2.jpg"}));
  EXPECT_TRUE(LogHas("CreateAlbumGroup") && LogHas("RemoveAlbumGroup"));
}

TEST_F(GroupCommands, ThePickerListsTheGroupsInTheStripsOrder) {
  for (const char* g : {"Banana", "NoEnd", "apple"}) Group(g, 1, g);
  frmMain& f = Press(0);
  Click(f.imgThumbnail[0]);
  WithPicker([&] { f.mnuEditAdd->trigger(); },
             [&](frmGroups& g) { EXPECT_EQ(PickerEntries(g), (Names{"apple", "Banana", "NoEnd"})); });
  EXPECT_EQ(Captions(f), (Names{kAllPhotosGroup, "apple", "Banana", "NoEnd"}));
}

}  // namespace
