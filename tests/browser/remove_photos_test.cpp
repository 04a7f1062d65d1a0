// Removing the selected photos from the program through the Edit menu: the
// question, the files, every group list and the group on show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "support/fs_faults.h"
#include "window_fixture.h"

namespace {

class RemovePhotos : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (const char* n : {"b1.jpg", "b2.jpg", "b3.jpg"}) AddPhoto(n, std::string("bytes of ") + n);
    Write("Photo_Thumbnails/b2.jpg", "thumb");
    Write("Photo_Audio/b2.jpg.wav", "clip");
    for (const char* g : {"  All Photos  ", "Beach"})
      Write(std::string("Photo_SlideGroups/") + g + ".lst", CrLf({"b1.jpg", "b2.jpg", "b3.jpg"}));
    Write("Photo_SlideGroups/Zoo.lst", CrLf({"b2.jpg"}));
    frmMain::Get().pctAlbumList_MouseDown(1, 1, 0, 0, 0);
    Click(frmMain::Get().imgThumbnail[1]);
  }
  std::string ListOf(const std::string& group) const { return Read("Photo_SlideGroups/" + group + ".lst"); }
};

TEST_F(RemovePhotos, AskedFirstThenTheFilesGoAsideAndEveryGroupForgetsThePhoto) {
  frmMain& f = frmMain::Get();
  prompter.ExpectMsg(qm::MsgAnswer::No);
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.mnuEditRemoveFromAlbum->trigger();
  EXPECT_TRUE(Exists("Photos/b2.jpg") && Exists("Photo_Info/b2.jpg.info"));
  EXPECT_EQ(gAlbumState.SelectedCount, 1);
  f.mnuEditRemoveFromAlbum->trigger();

  const qm::RecordedPrompt& ask = prompter.Prompts().at(1);
  EXPECT_EQ(ask.text, "Are you sure you want to remove selected photograph(s) from the program? The removed "
                      "photograph(s) will be place in the following folder -> " + Path("Photos/Removed"));
  EXPECT_EQ(ask.title, "Remove photos from Album");
  EXPECT_EQ(ask.buttons, qm::MsgButtons::YesNo);
  EXPECT_EQ(Read("Photos/Removed/b2.jpg"), "bytes of b2.jpg");
  EXPECT_EQ(Read("Photo_Audio/Removed/b2.jpg.wav"), "clip");
  EXPECT_TRUE(Exists("Photo_Info/Removed/b2.jpg.info"));
  EXPECT_FALSE(Exists("Photos/b2.jpg") || Exists("Photo_Thumbnails/b2.jpg") || Exists("Photo_Audio/b2.jpg.wav"));
  EXPECT_EQ(ListOf("  All Photos  "), CrLf({"b1.jpg", "b3.jpg"}));
  EXPECT_EQ(ListOf("Beach"), CrLf({"b1.jpg", "b3.jpg"}));
  EXPECT_EQ(ListOf("Zoo"), "");
  EXPECT_EQ(gAlbumState.CurrentGroupName, "Beach");
  EXPECT_EQ(gAlbumState.PhotoCount, 2);
}

TEST_F(RemovePhotos, PhotosThatCannotBeSetAsideStayWholeInTheirGroupsAndEveryOneIsNamed) {
  frmMain& f = frmMain::Get();
  std::vector<std::string> all = {"b1.jpg", "b2.jpg", "b3.jpg"}, withClips = {"b2.jpg"};
  for (int i = 4; i <= 14; ++i) {
    const std::string n = "b" + std::to_string(i) + ".jpg";
    AddPhoto(n, "bytes of " + n);
    Write("Photo_Audio/" + n + ".wav", "clip");
    Write("Photo_Thumbnails/" + n, "thumb");
    all.push_back(n);
    withClips.push_back(n);
  }
  Write("Photo_SlideGroups/Beach.lst", CrLf(all));
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  Click(f.imgThumbnail[0]);
  Click(f.imgThumbnail[13], Qt::LeftButton, Qt::ShiftModifier);
  ASSERT_EQ(gAlbumState.SelectedCount, 14);
  // The clips cannot be set aside, so their photos stay whole.
  Write("Photo_Audio/Removed", "a file in the way");
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.mnuEditRemoveFromAlbum->trigger();

  ASSERT_EQ(prompter.Prompts().size(), 2u);
  std::string told = "These photo(s) could not be set aside into the Removed folders and stay in the program:";
  for (const std::string& n : withClips) {
    told += "\n" + n;
    EXPECT_TRUE(Exists("Photos/" + n) && Exists("Photo_Info/" + n + ".info") && Exists("Photo_Thumbnails/" + n)) << n;
    EXPECT_FALSE(Exists("Photos/Removed/" + n) || Exists("Photo_Info/Removed/" + n + ".info")) << n;
  }
  EXPECT_EQ(prompter.Prompts()[1].text, told);
  EXPECT_TRUE(LogHas("RemovePhotosFromAlbum"));
  EXPECT_EQ(ListOf("Zoo"), CrLf({"b2.jpg"}));
  // The photos without a clip went.
  EXPECT_EQ(ListOf("Beach"), CrLf(withClips));
  EXPECT_TRUE(Exists("Photos/Removed/b1.jpg") && Exists("Photos/Removed/b3.jpg"));
  EXPECT_EQ(gAlbumState.PhotoCount, int(withClips.size()));

  // With nothing selected nothing more changes and no further message comes.
  f.SetGroupListSelect(-1, 0);
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  f.RemovePhotosFromAlbum();
  EXPECT_EQ(prompter.Prompts().size(), 3u);
  EXPECT_EQ(ListOf("Beach"), CrLf(withClips));
}

TEST_F(RemovePhotos, GroupListsThatCannotBeUpdatedAreNamed) {
  ReadOnlyFolder locked(Path("Photo_SlideGroups"));
  ASSERT_TRUE(locked.ok());
  prompter.ExpectMsg(qm::MsgAnswer::Yes);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  frmMain::Get().mnuEditRemoveFromAlbum->trigger();
  ASSERT_EQ(prompter.Prompts().size(), 2u);
  EXPECT_EQ(prompter.Prompts()[1].text,
            "These group list(s) could not be updated and may still name removed photos:\n" +
                Path("Photo_SlideGroups/  All Photos  .lst") + "\n" + Path("Photo_SlideGroups/Beach.lst") + "\n" +
                Path("Photo_SlideGroups/Zoo.lst"));
  EXPECT_TRUE(Exists("Photos/Removed/b2.jpg") && !Exists("Photo_Info/b2.jpg.info"));
}

}  // namespace
