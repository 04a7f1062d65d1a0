// Stepping through a group, the full-screen button and the clip buttons, on the
// real main window with generated pictures.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "window_fixture.h"

namespace {

class Navigation : public WindowTest {
protected:
  void Picture(const std::string& name, const std::string& place = "") {
    SavePhoto(name, Solid(640, 480, QColor(60, 120, 200)));
    Write(InfoOf(name), CrLf({"PhotoPath=\\Photos\\" + name, "TITLE=" + name, "PHOTOGRAPHER=", "YEAR=", "PEOPLE=",
                             "PLACE=" + place, "EVENT=", "KEYWORDS=", "ImageWidth=640", "ImageHeight=480"}));
  }
  static std::string InfoOf(const std::string& name) { return "Photo_Info/" + name + ".info"; }

  frmMain& Open(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
      names.push_back("p" + std::to_string(i) + ".jpg");
      Picture(names.back(), "place " + std::to_string(i));
    }
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
    return frmMain::Get();
  }
};

TEST_F(Navigation, NextAndPreviousStopAtTheEnds) {
  frmMain& f = Open(3);
  f.imgThumbnail_DblClick(2);
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 3);
  EXPECT_FALSE(f.NextPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 3);
  EXPECT_EQ(f.lbStatusCount->text(), "Photo 3 of 3");
  EXPECT_TRUE(f.PrevPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(gAlbumState.Place, "place 2");
  EXPECT_EQ(f.lbInfo[1]->text(), "place 2");
  EXPECT_EQ(f.lbInfo[6]->text(), "p2.jpg");
  EXPECT_EQ(f.lbStatusCount->text(), "Photo 2 of 3");
  EXPECT_TRUE(f.PrevPhoto());
  EXPECT_FALSE(f.PrevPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  EXPECT_TRUE(f.NextPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
}

TEST_F(Navigation, FromTheGridNextShowsTheCurrentPhotoAndPreviousTheOneBefore) {
  frmMain& f = Open(6);
  ASSERT_EQ(ViewMode, 0);
  f.SetImageIndex(5);
  EXPECT_TRUE(f.NextPhoto());
  EXPECT_EQ(ViewMode, 1);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 5);
  EXPECT_EQ(gAlbumState.Place, "place 5");
  EXPECT_EQ(f.lbStatusCount->text(), "Photo 5 of 6");

  f.ShowThumbnailBoxes(true);
  ASSERT_EQ(ViewMode, 0);
  EXPECT_TRUE(f.PrevPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 4);
  EXPECT_EQ(gAlbumState.PreviousImageIndex, 5);
  EXPECT_EQ(ViewMode, 1);
}

TEST_F(Navigation, NextFromTheGridWhileEditingSavesIntoTheEditedPhotoOnly) {
  frmMain& f = Open(3);
  // Photo 2 current in the grid, its information in the box, being edited.
  f.SetImageIndex(2);
  ASSERT_TRUE(LoadImageInfo(2, &f));
  f.LoadInfoBox();
  const std::string first = Read(InfoOf("p1.jpg"));
  f.cmdEditPhotoInfo_Click();
  f.txtPlace->setText("Harbour");
  EXPECT_TRUE(f.NextPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(Read(InfoOf("p1.jpg")), first);
  EXPECT_NE(Read(InfoOf("p2.jpg")).find("PLACE=Harbour\r\n"), std::string::npos);
  EXPECT_EQ(f.txtPlace->text(), "Harbour");
}

TEST_F(Navigation, APhotoThatFailsToOpenFromTheGridIsSteppedPast) {
  frmMain& f = Open(2);
  Write("Photos/p1.jpg", "broken");
  f.SetImageIndex(1);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.cmdFullScreen_Click();
  EXPECT_EQ(ViewMode, 0);
  EXPECT_FALSE(f.imgThumbnail[0]->isHidden());
  // >> tells of the damaged photo and goes on to the one after it.
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_TRUE(f.NextPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(ViewMode, 1);
  EXPECT_TRUE(f.imgThumbnail[0]->isHidden());
  EXPECT_EQ(prompter.Prompts().size(), 2u);
}

TEST_F(Navigation, ButtonsStopTheSlideShowAndRestoreTheirFaces) {
  frmMain& f = Open(3);
  f.imgThumbnail_DblClick(0);
  SlideShowRunning = true;
  f.tmrSlideShow->start(60000);
  Click(f.lbButtonText[0]);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_FALSE(SlideShowRunning);
  EXPECT_FALSE(f.tmrSlideShow->isActive());
  EXPECT_EQ(f.pctNext->pixmap().toImage(), f.pctDarkSmall->pixmap().toImage());
  f.pctPrev_Click();
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  EXPECT_EQ(f.pctPrev->pixmap().toImage(), f.pctDarkSmall->pixmap().toImage());
  EXPECT_EQ(f.lbButtonText[0]->text(), ">>");
  EXPECT_EQ(f.pctPrev->toolTip(), "Show previous image.");
}

TEST_F(Navigation, FullScreenOpensTheCurrentPhotoFirst) {
  frmMain& f = Open(3);
  f.SetImageIndex(3);
  f.cmdFullScreen_Click();
  EXPECT_EQ(ViewMode, 2);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 3);
  EXPECT_FALSE(f.imgbox->isHidden());
  EXPECT_EQ(f.cmdFullScreen->pixmap().toImage(), f.pctAlbumList[11]->pixmap().toImage());
  EXPECT_EQ(f.cmdFullScreen->toolTip(), "Full screen view of pictures. Use arrow keys to see next/prev.");
}

TEST_F(Navigation, ClipButtonsFollowThePhotosSoundClip) {
  frmMain& f = Open(2);
  Write("Photo_Audio/p2.jpg.wav", "RIFF");
  f.imgThumbnail_DblClick(0);
  EXPECT_FALSE(f.cmdPlayAudioClip[0]->isEnabled());
  EXPECT_FALSE(f.cmdPlayAudioClip[1]->isEnabled());
  f.NextPhoto();
  EXPECT_TRUE(f.cmdPlayAudioClip[0]->isEnabled());
  EXPECT_TRUE(f.cmdPlayAudioClip[1]->isEnabled());
  f.PrevPhoto();
  EXPECT_FALSE(f.cmdPlayAudioClip[0]->isEnabled());
}

TEST_F(Navigation, APhotoThatCannotOpenIsSteppedPastBothWays) {
  frmMain& f = Open(4);
  Write("Photos/p2.jpg", "");
  Write("Photos/p3.jpg", "a text file under a picture's name\r\n");
  f.imgThumbnail_DblClick(0);
  const qint64 first = f.imgbox->picture().cacheKey();
  for (int want : {2, 3}) {
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    f.pctNext_Click();
    EXPECT_EQ(gAlbumState.CurrentImageIndex, want);
    EXPECT_EQ(f.lbStatusCount->text(), "Photo " + QString::number(want) + " of 4");
    EXPECT_EQ(f.imgbox->picture().cacheKey(), first) << "the picture on show stays";
    EXPECT_EQ(ViewMode, 1);
  }
  f.pctNext_Click();
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 4);
  EXPECT_EQ(gAlbumState.Place, "place 4");
  for (int want : {3, 2}) {
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    f.pctPrev_Click();
    EXPECT_EQ(gAlbumState.CurrentImageIndex, want);
  }
  EXPECT_TRUE(f.PrevPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1);
  ASSERT_EQ(prompter.Prompts().size(), 4u);
  for (const auto& p : prompter.Prompts()) EXPECT_EQ(p.text, "Invalid image file. Unable to open");
}

TEST_F(Navigation, PreviousFromTheGridPastABrokenCurrentPhotoOpensTheViewer) {
  frmMain& f = Open(3);
  Write("Photos/p3.jpg", "broken");
  f.SetImageIndex(3);
  ASSERT_EQ(ViewMode, 0);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  EXPECT_TRUE(f.PrevPhoto());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(ViewMode, 1);
  EXPECT_FALSE(f.imgbox->isHidden());
  EXPECT_TRUE(f.imgThumbnail[0]->isHidden());
}

}  // namespace
