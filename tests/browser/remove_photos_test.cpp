// Removing the selected photos from the program through the Edit menu: the
// question, the files, every group list and the group on show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/group_names.h"
#include "window_fixture.h"

namespace {

using Names = std::vector<std::string>;

class RemovePhotos : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (const char* n : {"b1.jpg", "b2.jpg", "b3.jpg"}) {
      AddPhoto(n, std::string("bytes of ") + n);
      Write(std::string("Photo_Thumbnails/") + n, "thumb");
    }
    Write("Photo_Audio/b2.jpg.wav", "clip");
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"b1.jpg", "b2.jpg", "b3.jpg"}));
    Write("Photo_SlideGroups/Beach.lst", CrLf({"b1.jpg", "b2.jpg", "b3.jpg"}));
    Write("Photo_SlideGroups/Zoo.lst", CrLf({"b2.jpg"}));
  }
  // Loads Beach and selects its second photo.
  frmMain& LoadBeachWithSecondSelected() {
    frmMain& f = frmMain::Get();
    f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
    Click(f.imgThumbnail[1]);
    EXPECT_EQ(gAlbumState.SelectedCount, 1);
    return f;
  }
  std::string ListOf(const std::string& group) const { return Read("Photo_SlideGroups/" + group + ".lst"); }
};

TEST_F(RemovePhotos, AskedFirstThenTheFilesGoAsideAndEveryGroupForgetsThePhoto) {
  frmMain& f = LoadBeachWithSecondSelected();
  ASSERT_TRUE(f.mnuEditRemoveFromAlbum->isEnabled());
  prompter.ExpectMsg(qm::MsgAnswer::No);
  f.mnuEditRemoveFromAlbum->trigger();
  const qm::RecordedPrompt& ask = prompter.Prompts().at(0);
  EXPECT_EQ(ask.text,
            "Are you sure you want to remove selected photograph(s) from the program? The removed photograph(s) "
            "will be place in the following folder -> " +
                Path("Photos/Removed"));
  EXPECT_EQ(ask.title, "Remove photos from Album");
  EXPECT_EQ(ask.buttons, qm::MsgButtons::YesNo);
  EXPECT_TRUE(Exists("Photos/b2.jpg") && Exists("Photo_Info/b2.jpg.info") && Exists("Photo_Audio/b2.jpg.wav"));
  EXPECT_EQ(gAlbumState.SelectedCount, 1);

  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.mnuEditRemoveFromAlbum->trigger();
  EXPECT_EQ(Read("Photos/Removed/b2.jpg"), "bytes of b2.jpg");
  EXPECT_EQ(Read("Photo_Audio/Removed/b2.jpg.wav"), "clip");
  EXPECT_TRUE(Exists("Photo_Info/Removed/b2.jpg.info"));
  EXPECT_FALSE(Exists("Photos/b2.jpg") || Exists("Photo_Thumbnails/b2.jpg") || Exists("Photo_Audio/b2.jpg.wav"));
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b3.jpg"}));
  EXPECT_EQ(ListOf("  All Photos  "), CrLf({"b1.jpg", "b3.jpg"}));
  EXPECT_EQ(ListOf("Zoo"), "");
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Beach");
  EXPECT_EQ(gAlbumState.PhotoCount, 2);
  EXPECT_EQ(PhotoNames[2], "b3.jpg");
  EXPECT_TRUE(f.cursor().shape() == Qt::ArrowCursor);
}

TEST_F(RemovePhotos, WithNothingSelectedOnlyTheFoldersAppearAndTheGroupIsShownAgain) {
  frmMain& f = frmMain::Get();
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  f.SetGroupListSelect(-1, 0);
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.RemovePhotosFromAlbum();
  EXPECT_EQ(prompter.Prompts().size(), 1u);
  for (const char* folder : {"Photos/Removed", "Photo_Info/Removed", "Photo_Audio/Removed"})
    EXPECT_TRUE(AllEntries(Path(folder)).empty()) << folder;
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b2.jpg", "b3.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 3);
}

TEST_F(RemovePhotos, APhotoThatCannotBeSetAsideStaysInItsGroupsAndTheUserIsTold) {
  Write("Photos/Removed", "a file in the way");
  frmMain& f = LoadBeachWithSecondSelected();
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.mnuEditRemoveFromAlbum->trigger();
  ASSERT_EQ(prompter.Prompts().size(), 2u);
  EXPECT_EQ(prompter.Prompts()[1].text, "These photo(s) could not be moved to " + Path("Photos/Removed") +
                                            " and stay in the program:\nb2.jpg");
  EXPECT_TRUE(Exists("Photos/b2.jpg") && Exists("Photo_Info/b2.jpg.info") && Exists("Photo_Thumbnails/b2.jpg"));
  EXPECT_EQ(ListOf("Zoo"), CrLf({"b2.jpg"}));
  EXPECT_EQ(gAlbumState.PhotoCount, 3);
  EXPECT_TRUE(LogHas("RemovePhotosFromAlbum"));
}

}  // namespace
