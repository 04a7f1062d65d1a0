// A start with photos put in by hand that begin like a JPEG (FF D8) but hold no
// picture: the start finishes, and every reader of photos takes them for invalid
// pictures.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <filesystem>

#include "app/startup.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/thumbnail_maker.h"
#include "media/frmFullScreen.h"
#include "support/check_fixture.h"
#include "support/slideshow_run.h"

namespace {

// FF D8, then no marker: text, counting bytes, stray FF bytes and markers of no frame.
std::string HostileStart(int i) {
  const std::string soi("\xFF\xD8", 2);
  switch (i % 4) {
    case 0: return soi + std::string(1, '\0') + "hello, not a picture";
    case 1: {
      std::string counting;
      for (int b = 0; b < 300; ++b) counting += char((b * 7 + i) % 255);
      return soi + counting;
    }
    case 2: return soi + std::string("ab\xFF\x00" "cd\xFF\xFF\xFF" "gh\xFF", 12);
    default: return soi + std::string("zz\xFF\xDA\0\x08\x01\x01\0\0\x3F\0 \xFF\xD9", 16);
  }
}

class HostilePictures : public CheckTest {
protected:
  void SetUp() override {
    CheckTest::SetUp();
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    AddJpeg("a-good.jpg", 64, 48);
    AddJpeg("z-good.jpg", 64, 48);
    for (int i = 1; i <= 16; ++i) {
      const std::string name = Odd(i);
      Write("Photos/" + name, HostileStart(i));
      SetTime("Photos/" + name, 1400000000 + i);
    }
  }
  void TearDown() override {
    if (frmFullScreen::IsLoaded()) frmFullScreen::Unload();
    if (frmMain::IsLoaded()) frmMain::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    CheckTest::TearDown();
  }
  static std::string Odd(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "odd%02d.jpg", i);
    return name;
  }
  // Runs a show over the whole group until it ends; the photos it showed.
  std::vector<int> Show(frmMain& f, bool fullScreen) {
    std::vector<int> shown;
    f.StartSlideShow({.IntervalMs = 10, .FullScreen = fullScreen, .OnlySelected = false, .StartWithCurrent = false,
                      .Music = false, .Clips = false});
    RunSlideShowToTheEnd(f, [&] { shown.push_back(gAlbumState.CurrentImageIndex); });
    return shown;
  }
};

}  // namespace

TEST_F(HostilePictures, SixteenFilesStartingLikeAJpegLetTheStartFinishAndAreInvalidEverywhere) {
  EXPECT_EQ(Main(), -1);

  // The start gave each its information file and, at once, the blank thumbnail
  // dated like the photo.
  ASSERT_TRUE(frmMain::IsLoaded());
  frmMain& f = frmMain::Get();
  for (int i = 1; i <= 16; ++i) {
    const std::string name = Odd(i);
    SCOPED_TRACE(name);
    EXPECT_TRUE(Exists("Photo_Info/" + name + ".info"));
    const QImage thumb(QString::fromStdString(Path("Photo_Thumbnails/" + name)), "BMP");
    ASSERT_EQ(thumb.size(), BlankThumbnailSize());
    EXPECT_EQ(thumb.pixel(0, 0), thumb.pixel(99, 99));
    EXPECT_EQ(qm::FileDateTime(Path("Photo_Thumbnails/" + name)), 1400000000 + i);
  }
  EXPECT_EQ(gAlbumState.PhotoCount, 18);
  EXPECT_TRUE(prompter.Prompts().empty());

  // The grid shows the good photo's picture and blank squares for the others.
  EXPECT_EQ(f.imgThumbnail[0]->pixmap().size(), QSize(100, 75));
  for (int s = 1; s < 16; ++s) {
    EXPECT_TRUE(f.imgThumbnail[size_t(s)]->isVisible()) << s;
    EXPECT_EQ(f.imgThumbnail[size_t(s)]->pixmap().size(), BlankThumbnailSize()) << s;
    EXPECT_EQ(f.lbThumbnailFile[size_t(s)]->text().toStdString(), Odd(s)) << s;
  }

  // The enlarged view refuses one with its message.
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  QTest::mouseDClick(f.imgThumbnail[3], Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Invalid image file. Unable to open");
  EXPECT_EQ(prompter.Prompts()[0].title, "Error");

  // A slide show, in the window and on the full screen, logs each and goes on to
  // the good photo after them.
  for (bool fullScreen : {false, true}) {
    SCOPED_TRACE(fullScreen ? "full screen" : "window");
    const size_t logged = LogCount("DisplayPhoto");
    const std::vector<int> shown = Show(f, fullScreen);
    EXPECT_NE(std::find(shown.begin(), shown.end(), 18), shown.end());
    EXPECT_EQ(LogCount("DisplayPhoto"), logged + 16);
    EXPECT_EQ(prompter.Prompts().size(), 1u) << "no message box under the running show";
  }
}
