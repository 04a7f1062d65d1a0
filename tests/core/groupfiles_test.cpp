#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/albumstate.h"
#include "core/grid_rules.h"
#include "core/group_names.h"
#include "core/groupfiles.h"
#include "support/fs_faults.h"
#include "support/temp_archive.h"

namespace {

class GroupFilesTest : public TempArchive {
protected:
  void WriteGroup(const std::string& file, const std::vector<std::string>& lines) {
    Write("Photo_SlideGroups/" + file, CrLf(lines));
  }
  std::string ReadGroup(const std::string& file) const { return Read("Photo_SlideGroups/" + file); }

  static std::vector<std::string> Numbered(int n, const std::string& stem = "p") {
    std::vector<std::string> v;
    for (int i = 1; i <= n; ++i) v.push_back(stem + std::to_string(i) + ".jpg");
    return v;
  }

  // Every file in the group folder, hidden ones included.
  std::vector<std::string> GroupFolderEntries() const { return AllEntries(Path("Photo_SlideGroups")); }

  void Select(std::initializer_list<int> indexes) {
    for (int i : indexes) SelectedFlags.at(size_t(i)) = 1;
  }
};

TEST_F(GroupFilesTest, EmptyListGivesPlaceholderOnlyAndNamesTheGroup) {
  VScroll1State.Enabled = true;
  VScroll1State.Max = 5;
  WriteGroup("Empty.lst", {});
  ASSERT_TRUE(ReadGroupFile("Empty.lst"));
  EXPECT_EQ(PhotoNames, std::vector<std::string>{""});
  EXPECT_EQ(SelectedFlags, std::vector<std::int32_t>{0});
  EXPECT_EQ(gAlbumState.PhotoCount, 0);
  EXPECT_FALSE(VScroll1State.Enabled);
  EXPECT_EQ(VScroll1State.Max, 1);
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Empty");
}

TEST_F(GroupFilesTest, PageBarRangeFollowsTheNumberOfEntries) {
  struct Case {
    int n, max;
    bool enabled;
  };
  for (Case c : {Case{16, 1, false}, Case{17, 2, true}, Case{32, 2, true}, Case{33, 3, true}, Case{16, 1, false}}) {
    WriteGroup("g.lst", Numbered(c.n));
    ASSERT_TRUE(ReadGroupFile("g.lst")) << c.n;
    EXPECT_EQ(VScroll1State.Max, c.max) << c.n;
    EXPECT_EQ(VScroll1State.Enabled, c.enabled) << c.n;
    EXPECT_EQ(VScroll1State.Min, 1) << c.n;
    EXPECT_LE(VScroll1State.Value, VScroll1State.Max) << c.n;
    EXPECT_EQ(gAlbumState.PhotoCount, c.n);
    EXPECT_EQ(PhotoNames.size(), size_t(c.n + 1));
    EXPECT_EQ(PhotoNames.back(), "p" + std::to_string(c.n) + ".jpg");
  }
  EXPECT_EQ(grid::PageCountFor(0), 1);
  EXPECT_EQ(grid::PageCountFor(-3), 1);
  EXPECT_EQ(grid::PageCountFor(48), 3);
  EXPECT_EQ(grid::PageCountFor(49), 4);
}

TEST_F(GroupFilesTest, ReadsEveryLineEndEmptyEntriesAndAnUnendedLastLine) {
  Write("Photo_SlideGroups/mixed.lst", "a.jpg\r\n\r\nb.jpg\nc.jpg\rd.jpg");
  ASSERT_TRUE(ReadGroupFile("mixed.lst"));
  EXPECT_EQ(PhotoNames, (std::vector<std::string>{"", "a.jpg", "", "b.jpg", "c.jpg", "d.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 5);
}

TEST_F(GroupFilesTest, GroupNameIsTheFileNameWithoutItsLastLst) {
  WriteGroup("holiday.2001.lst", {"a.jpg"});
  ASSERT_TRUE(ReadGroupFile("holiday.2001.lst"));
  EXPECT_EQ(gAlbumState.CurrentGroupName, "holiday.2001");
  EXPECT_EQ(GroupNameOf("holiday.2001.lst"), "holiday.2001");
  EXPECT_EQ(GroupNameOf("a.lst.lst"), "a.lst");
  EXPECT_EQ(GroupNameOf(".lst"), "");
  EXPECT_EQ(GroupFileOf(GroupNameOf("x.y.lst")), "x.y.lst");
  WriteGroup("  All Photos  .lst", {"a.jpg"});
  ASSERT_TRUE(ReadGroupFile("  All Photos  .lst"));
  EXPECT_EQ(gAlbumState.CurrentGroupName, "  All Photos  ");
}

TEST_F(GroupFilesTest, RereadClearsTheSelection) {
  WriteGroup("g.lst", Numbered(3));
  ASSERT_TRUE(ReadGroupFile("g.lst"));
  Select({1, 3});
  WriteGroup("g.lst", Numbered(4));
  ASSERT_TRUE(ReadGroupFile("g.lst"));
  EXPECT_EQ(SelectedFlags, (std::vector<std::int32_t>{0, 0, 0, 0, 0}));
}

TEST_F(GroupFilesTest, FailedReadLeavesTheLoadedGroupUntouched) {
  WriteGroup("Big.lst", Numbered(20));
  ASSERT_TRUE(ReadGroupFile("Big.lst"));
  Select({2});
  const auto names = PhotoNames;
  const auto flags = SelectedFlags;
  const PageScrollState bar = VScroll1State;

  EXPECT_FALSE(ReadGroupFile("Missing.lst"));
  EXPECT_EQ(PhotoNames, names);
  EXPECT_EQ(SelectedFlags, flags);
  EXPECT_EQ(gAlbumState.PhotoCount, 20);
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Big");
  EXPECT_EQ(VScroll1State.Max, bar.Max);
  EXPECT_EQ(VScroll1State.Enabled, bar.Enabled);
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(GroupFilesTest, AppendWritesSelectedNamesAndListsRepeatsTwice) {
  WriteGroup("src.lst", {"a.jpg", "b.jpg", "c.jpg"});
  ASSERT_TRUE(ReadGroupFile("src.lst"));
  Select({1, 3});
  ASSERT_TRUE(AddToGroup("New.lst"));  // a missing list is created
  EXPECT_EQ(ReadGroup("New.lst"), "a.jpg\r\nc.jpg\r\n");
  ASSERT_TRUE(AddToGroup("New.lst"));
  EXPECT_EQ(ReadGroup("New.lst"), "a.jpg\r\nc.jpg\r\na.jpg\r\nc.jpg\r\n");
  EXPECT_EQ(gAlbumState.CurrentGroupName, "src");  // the loaded group is not reloaded
}

TEST_F(GroupFilesTest, AppendEndsAnUnendedLastLineFirst) {
  Write("Photo_SlideGroups/t.lst", "x.jpg");
  WriteGroup("src.lst", {"a.jpg"});
  ASSERT_TRUE(ReadGroupFile("src.lst"));
  Select({1});
  ASSERT_TRUE(AddToGroup("t.lst"));
  EXPECT_EQ(ReadGroup("t.lst"), "x.jpg\r\na.jpg\r\n");
}

TEST_F(GroupFilesTest, AppendIntoAMissingFolderFails) {
  WriteGroup("src.lst", {"a.jpg"});
  ASSERT_TRUE(ReadGroupFile("src.lst"));
  Select({1});
  EXPECT_FALSE(AddToGroup("nofolder/t.lst"));
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(GroupFilesTest, RemoveDropsOnlyLinesWhosePlaceAndNameMatch) {
  const std::vector<std::string> seven = {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg", "6.jpg", "7.jpg"};
  WriteGroup("g.lst", seven);
  ASSERT_TRUE(ReadGroupFile("g.lst"));
  Select({2, 5});
  ASSERT_TRUE(RemoveFromGroup("g.lst"));
  EXPECT_EQ(ReadGroup("g.lst"), CrLf({"1.jpg", "3.jpg", "4.jpg", "6.jpg", "7.jpg"}));

  // The list changed since it was loaded: line 5 no longer names photo 5.
  WriteGroup("h.lst", seven);
  ASSERT_TRUE(ReadGroupFile("h.lst"));
  Select({2, 5});
  WriteGroup("h.lst", {"1.jpg", "2.JPG", "3.jpg", "4.jpg", "other.jpg", "6.jpg", "7.jpg"});
  ASSERT_TRUE(RemoveFromGroup("h.lst"));
  EXPECT_EQ(ReadGroup("h.lst"), CrLf({"1.jpg", "3.jpg", "4.jpg", "other.jpg", "6.jpg", "7.jpg"}));

  // No scratch or temporary file stays behind.
  EXPECT_EQ(GroupFolderEntries(), (std::vector<std::string>{"g.lst", "h.lst"}));
}

TEST_F(GroupFilesTest, RemoveFromAListWithLinesBeyondTheLoadedOnesKeepsThem) {
  WriteGroup("g.lst", {"a.jpg", "b.jpg"});
  ASSERT_TRUE(ReadGroupFile("g.lst"));
  Select({2});
  Write("Photo_SlideGroups/g.lst", "a.jpg\nb.jpg\nc.jpg\nb.jpg");
  ASSERT_TRUE(RemoveFromGroup("g.lst"));
  EXPECT_EQ(ReadGroup("g.lst"), CrLf({"a.jpg", "c.jpg", "b.jpg"}));
}

TEST_F(GroupFilesTest, FailedRemoveLeavesTheListAsItWas) {
  EXPECT_FALSE(RemoveFromGroup("Missing.lst"));
  EXPECT_FALSE(Exists("Photo_SlideGroups/Missing.lst"));

  // A folder the list cannot be rewritten in: the write fails after the read, and
  // the list must survive.
  const std::string file = std::string(241, 'g') + ".lst";
  WriteGroup(file, {"a.jpg", "b.jpg"});
  ASSERT_TRUE(ReadGroupFile(file));
  Select({1});
  {
    ReadOnlyFolder ro(Path("Photo_SlideGroups"));
    if (!ro.ok()) GTEST_SKIP() << "cannot make a read-only folder here";
    EXPECT_FALSE(RemoveFromGroup(file));
  }
  EXPECT_EQ(ReadGroup(file), CrLf({"a.jpg", "b.jpg"}));
  EXPECT_EQ(GroupFolderEntries(), std::vector<std::string>{file});
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(GroupFilesTest, ListsLongerThan32767EntriesWork) {
  const int n = 40000;
  WriteGroup("huge.lst", Numbered(n));
  ASSERT_TRUE(ReadGroupFile("huge.lst"));
  EXPECT_EQ(gAlbumState.PhotoCount, n);
  EXPECT_EQ(VScroll1State.Max, 2500);
  Select({39999});
  ASSERT_TRUE(AddToGroup("pick.lst"));
  EXPECT_EQ(ReadGroup("pick.lst"), "p39999.jpg\r\n");
  ASSERT_TRUE(RemoveFromGroup("huge.lst"));
  ASSERT_TRUE(ReadGroupFile("huge.lst"));
  EXPECT_EQ(gAlbumState.PhotoCount, n - 1);
  EXPECT_EQ(PhotoNames[39999], "p40000.jpg");
}

TEST_F(GroupFilesTest, GroupExistsIgnoresCaseAndNeverMatchesEmpty) {
  lstSlideGroups.AddItem("Summer");
  lstSlideGroups.AddItem("  All Photos  ");
  EXPECT_TRUE(GroupExists("  all photos  "));
  EXPECT_TRUE(GroupExists("SUMMER"));
  EXPECT_FALSE(GroupExists("Summ"));
  EXPECT_FALSE(GroupExists("all photos"));
  EXPECT_FALSE(GroupExists(""));
}

TEST_F(GroupFilesTest, CheckGroupNameReplacesEachUnsafeCharacter) {
  std::string a = "a.b";
  EXPECT_FALSE(CheckGroupName(a));
  EXPECT_EQ(a, "a_b");
  std::string s = "Summer 2001";
  EXPECT_TRUE(CheckGroupName(s));
  EXPECT_EQ(s, "Summer 2001");
  std::string w = "what?*";
  EXPECT_FALSE(CheckGroupName(w));
  EXPECT_EQ(w, "what__");
  std::string all = "\"|.<>?*:/\\";
  EXPECT_FALSE(CheckGroupName(all));
  EXPECT_EQ(all, std::string(10, '_'));
  std::string kept = "  -_'()&%  ";
  EXPECT_TRUE(CheckGroupName(kept));
  EXPECT_EQ(kept, "  -_'()&%  ");
}

}  // namespace
