// The file work of the group commands on a real group folder and song folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/albumstate.h"
#include "core/group_commands.h"
#include "core/groupfiles.h"
#include "platform/runtime_error.h"
#include "support/temp_archive.h"

namespace {

class GroupCommandsTest : public TempArchive {
protected:
  void List(const std::string& group, const std::vector<std::string>& lines) {
    Write("Photo_SlideGroups/" + group + ".lst", CrLf(lines));
  }
  std::string ListOf(const std::string& group) const { return Read("Photo_SlideGroups/" + group + ".lst"); }
  std::string SongOf(const std::string& group) const { return Read("Photo_Midi/" + group + ".mid"); }
};

TEST_F(GroupCommandsTest, RenameMovesTheListThenTheSongAndKeepsALeftoverSong) {
  List("Trip", {"a.jpg"});
  Write("Photo_Midi/Trip.mid", "song");
  GroupRenameResult r = RenameGroupFiles("Trip.lst", "Journey");
  EXPECT_TRUE(r.listRenamed && r.songRenamed);
  EXPECT_EQ(ListOf("Journey"), CrLf({"a.jpg"}));
  EXPECT_EQ(SongOf("Journey"), "song");
  EXPECT_FALSE(Exists("Photo_SlideGroups/Trip.lst") || Exists("Photo_Midi/Trip.mid"));

  Write("Photo_Midi/Voyage.mid", "leftover");
  r = RenameGroupFiles("Journey.lst", "Voyage");
  EXPECT_TRUE(r.listRenamed);
  EXPECT_TRUE(r.songOfNewNameKept);
  EXPECT_EQ(SongOf("Voyage"), "leftover");
  EXPECT_EQ(SongOf("Journey"), "song");
}

TEST_F(GroupCommandsTest, AListThatCannotBeRenamedLeavesListAndSongAlone) {
  List("Trip", {"a.jpg"});
  List("Journey", {"b.jpg"});
  Write("Photo_Midi/Trip.mid", "song");
  const GroupRenameResult r = RenameGroupFiles("Trip.lst", "Journey");
  EXPECT_FALSE(r.listRenamed);
  EXPECT_TRUE(r.listNameTaken);
  EXPECT_EQ(ListOf("Trip"), CrLf({"a.jpg"}));
  EXPECT_EQ(ListOf("Journey"), CrLf({"b.jpg"}));
  EXPECT_EQ(SongOf("Trip"), "song");
  EXPECT_FALSE(Exists("Photo_Midi/Journey.mid"));
}

TEST_F(GroupCommandsTest, CreateNeverEmptiesAListThatIsThere) {
  List("Trip", {"a.jpg"});
  EXPECT_THROW(CreateGroupFile("Trip"), qm::RuntimeError);
  EXPECT_EQ(ListOf("Trip"), CrLf({"a.jpg"}));
}

TEST_F(GroupCommandsTest, MoveLeavesBothListsWhenTheAppendFails) {
  List("Trip", {"a.jpg", "b.jpg", "c.jpg"});
  ASSERT_TRUE(ReadGroupFile("Trip.lst"));
  SelectedFlags[2] = 1;
  std::filesystem::create_directory(Path("Photo_SlideGroups/Zoo.lst"));
  EXPECT_EQ(MoveSelectedPhotos("Zoo.lst", "Trip.lst"), MoveOutcome::NotAdded);
  EXPECT_EQ(ListOf("Trip"), CrLf({"a.jpg", "b.jpg", "c.jpg"}));
}

}  // namespace
