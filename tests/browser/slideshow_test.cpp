// The slide show: its dialog, the delay rule, and whole shows run by the real timer
// at a short delay, in the main window and in the full-screen viewer.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <set>

#include "browser/frmMain.h"
#include "browser/frmSSP.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/slideshow_rules.h"
#include "media/frmFullScreen.h"
#include "platform/sound_backend.h"
#include "support/slideshow_run.h"
#include "support/sound_files.h"
#include "window_fixture.h"

namespace {

TEST(SlideShowRules, TheDelayText) {
  const struct {
    const char* text;
    std::optional<int> ms;
  } cases[] = {
      {"5", 5000},     {"2.5", 2500},   {"60", 60000},     {"1", 1000},        {"12abc", 12000},
      {"  7", 7000},   {"2.5s", 2500},  {"1.0005", 1000},  {"1.0015", 1002},   {"6e1", 60000},
      {"0", {}},       {"61", {}},      {"0.5", {}},       {"60.5", {}},       {"", {}},
      {"abc", {}},     {"-5", {}},      {".", {}},         {"e5", {}},         {"60.0001", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(slideshow::SlideShowInterval(c.text), c.ms) << '"' << c.text << '"';
  EXPECT_EQ(slideshow::LeadingNumber("3e"), 3);
  EXPECT_EQ(slideshow::LeadingNumber("+.5x"), 0.5);
}

class SlideShow : public WindowTest {
protected:
  // The main window is activated when the viewer goes: no first-time notice then.
  void SetUp() override {
    WindowTest::SetUp();
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
  }
  void TearDown() override {
    if (frmSSP::IsLoaded()) frmSSP::Unload();
    if (frmFullScreen::IsLoaded()) frmFullScreen::Unload();
    WindowTest::TearDown();
  }

  // Photos p1..pN, each a colour of its own; broken ones hold no picture.
  frmMain& Open(int count, const std::set<int>& broken = {}) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
      names.push_back("p" + std::to_string(i) + ".jpg");
      if (broken.count(i))
        Write("Photos/" + names.back(), "not a picture");
      else
        SavePhoto(names.back(), Solid(64, 48, Colour(i)));
      Write("Photo_Info/" + names.back() + ".info", CrLf({"PhotoPath=\\Photos\\" + names.back()}));
    }
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
    return frmMain::Get();
  }
  static QColor Colour(int photo) { return QColor::fromHsv((photo * 50) % 360, 255, 220); }
  static int PhotoIn(const QImage& p) {
    if (p.isNull()) return 0;
    const QColor c(p.pixel(p.width() / 2, p.height() / 2));
    for (int i = 1; i < 8; ++i)
      if (std::abs(c.hue() - Colour(i).hue()) < 8) return i;
    return -1;
  }
  static int InViewer() { return frmFullScreen::IsLoaded() ? PhotoIn(frmFullScreen::Get().imgFullScreen->picture()) : 0; }

  static frmMain::SlideShowOptions Options(bool fullScreen, bool startWithCurrent) {
    return {.IntervalMs = 10, .FullScreen = fullScreen, .OnlySelected = false,
            .StartWithCurrent = startWithCurrent, .Music = false, .Clips = false};
  }
  // Lets the real timer run the show until it ends; the photo each tick left in
  // the main window and in the viewer.
  std::vector<std::pair<int, int>> RunToTheEnd(frmMain& f) {
    std::vector<std::pair<int, int>> seen;
    RunSlideShowToTheEnd(f, [&] { seen.emplace_back(gAlbumState.CurrentImageIndex, InViewer()); });
    return seen;
  }
};

TEST_F(SlideShow, TheDialogAsDesigned) {
  frmSSP& d = frmSSP::Get();
  EXPECT_EQ(d.windowTitle(), "Start Slideshow");
  EXPECT_EQ(d.size(), QSize(279, 223));
  EXPECT_EQ(d.txtSlideShowInterval->text(), "5");
  const char* captions[] = {"Switch to Fullscreen after starting", "Show only selected photograhs",
                            "Start with current photograph", "Play album background music",
                            "Play audio clips for each photo"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(d.chkSlideshow[std::size_t(i)]->text(), captions[i]);
    EXPECT_EQ(d.chkSlideshow[std::size_t(i)]->isChecked(), i != 1);
  }
  EXPECT_FALSE(d.chkSlideshow[1]->isEnabled());
  EXPECT_EQ(d.cmdOkay->text(), "O&K");
  EXPECT_EQ(d.cmdCancel->text(), "&Cancel");
}

TEST_F(SlideShow, AnInvalidDelayIsToldAndTheDialogStays) {
  Open(2);
  for (const char* text : {"0", "61", "0.5", "60.5", "", "letters"}) {
    frmSSP& d = frmSSP::Get();
    d.txtSlideShowInterval->setText(text);
    prompter.ExpectMsg(qm::MsgAnswer::OK);
    d.cmdOkay_Click();
    EXPECT_TRUE(frmSSP::IsLoaded()) << text;
    EXPECT_FALSE(SlideShowRunning);
  }
  ASSERT_EQ(prompter.Prompts().size(), 6u);
  EXPECT_EQ(prompter.Prompts()[0].text, "Invalid entry. Use a value between 1 and 60 seconds.");
  EXPECT_EQ(prompter.Unexpected(), 0);
}

TEST_F(SlideShow, OkStartsWithTheDesignValuesFromTheGrid) {
  frmMain& f = Open(4);
  f.SetImageIndex(2);
  frmSSP& d = frmSSP::Get();
  d.txtSlideShowInterval->setText("12abc");
  d.cmdOkay_Click();
  QApplication::processEvents();
  EXPECT_FALSE(frmSSP::IsLoaded());
  EXPECT_TRUE(SlideShowRunning);
  EXPECT_TRUE(f.tmrSlideShow->isActive());
  EXPECT_EQ(f.tmrSlideShow->interval(), 12000);
  EXPECT_TRUE(gAlbumState.PlayPhotoClips);
  // Photo 2 opened and the viewer came with it; the first step waits for the tick.
  ASSERT_TRUE(frmFullScreen::IsLoaded());
  EXPECT_EQ(ViewMode, 2);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(InViewer(), 2);
}

TEST_F(SlideShow, CancelStartsNothingAndTheSelectionStaysCleared) {
  frmMain& f = Open(3);
  f.imgThumbnail_MouseDown(0, 1, 0, 0, 0);
  ASSERT_EQ(gAlbumState.SelectedCount, 1);
  QTimer::singleShot(0, [] { frmSSP::Get().cmdCancel->click(); });
  Click(f.lbButtonText[7]);
  QApplication::processEvents();
  EXPECT_FALSE(frmSSP::IsLoaded());
  EXPECT_FALSE(SlideShowRunning);
  EXPECT_FALSE(f.tmrSlideShow->isActive());
  EXPECT_EQ(gAlbumState.SelectedCount, 0);
  EXPECT_EQ(f.cmdSlideshow->pixmap().toImage(), f.pctAlbumList[11]->pixmap().toImage());
  // The View menu's item opens the same dialog.
  bool opened = false;
  QTimer::singleShot(0, [&] {
    opened = frmSSP::IsLoaded();
    if (opened) frmSSP::Get().reject();
  });
  f.mnuViewSlideshow->trigger();
  EXPECT_TRUE(opened);
}

TEST_F(SlideShow, InTheWindowEveryPhotoThenTheGrid) {
  frmMain& f = Open(4);
  f.StartSlideShow(Options(false, false));
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 1) << "photo 1 shows at once";
  const auto seen = RunToTheEnd(f);
  std::vector<int> photos;
  for (const auto& s : seen) photos.push_back(s.first);
  EXPECT_EQ(photos, (std::vector<int>{2, 3, 4, 4}));
  EXPECT_EQ(ViewMode, 0);
  EXPECT_TRUE(f.imgbox->isHidden());
  EXPECT_FALSE(f.imgThumbnail[0]->isHidden());
  EXPECT_FALSE(f.tmrSlideShow->isActive());
  EXPECT_TRUE(prompter.Prompts().empty());
  EXPECT_TRUE(LogEntries().empty());
}

// Each step shows in the viewer too, and no load fails before photo 1.
TEST_F(SlideShow, InFullScreenEveryPhotoIsSeenThereThenTheGrid) {
  frmMain& f = Open(4);
  const struct {
    int opened;
    bool startWithCurrent;
    int first;
    std::vector<std::pair<int, int>> seen;
  } shows[] = {{1, true, 2, {{3, 3}, {4, 4}, {4, 0}}}, {2, false, 1, {{2, 2}, {3, 3}, {4, 4}, {4, 0}}}};
  for (const auto& s : shows) {
    SCOPED_TRACE(s.opened);
    f.imgThumbnail_DblClick(s.opened);
    f.StartSlideShow(Options(true, s.startWithCurrent));
    EXPECT_EQ(gAlbumState.CurrentImageIndex, s.first);
    EXPECT_EQ(InViewer(), s.first);
    EXPECT_EQ(RunToTheEnd(f), s.seen);
    EXPECT_FALSE(frmFullScreen::IsLoaded());
    EXPECT_EQ(ViewMode, 0);
    EXPECT_FALSE(f.imgThumbnail[0]->isHidden());
  }
  EXPECT_TRUE(LogEntries().empty());
}

// The first photo stays a whole delay, in the window and in full screen alike:
// the current one (opened when the grid shows) or photo 1. No other photo is
// shown before it, and the first step comes at the first tick.
TEST_F(SlideShow, TheFirstPhotoStaysAWholeDelay) {
  frmMain& f = Open(4);
  const struct {
    const char* how;
    bool fromGrid, fullScreen, startWithCurrent;
    int first, opened;
  } shows[] = {
      {"grid, full screen, current photo", true, true, true, 2, 1},
      {"window, full screen, current photo", false, true, true, 2, 0},
      {"grid, current photo", true, false, true, 2, 1},
      {"window, current photo", false, false, true, 2, 0},
      {"window, photo 1", false, false, false, 1, 1},
      {"grid, full screen, photo 1", true, true, false, 1, 1},
  };
  for (const auto& s : shows) {
    SCOPED_TRACE(s.how);
    if (frmFullScreen::IsLoaded()) frmFullScreen::Unload();
    f.imgThumbnail_DblClick(1);
    if (s.fromGrid) f.ShowThumbnailBoxes(true);
    ASSERT_EQ(gAlbumState.CurrentImageIndex, 2);
    const int opened = f.PhotosOpened;
    frmMain::SlideShowOptions o = Options(s.fullScreen, s.startWithCurrent);
    o.IntervalMs = 60000;
    f.StartSlideShow(o);
    QTest::qWait(200);
    EXPECT_EQ(gAlbumState.CurrentImageIndex, s.first);
    EXPECT_EQ(PhotoIn(f.imgbox->picture()), s.first);
    EXPECT_EQ(InViewer(), s.fullScreen ? s.first : 0);
    EXPECT_EQ(f.PhotosOpened - opened, s.opened) << "another photo was shown first";
    EXPECT_GT(f.tmrSlideShow->remainingTime(), 50000);

    f.tmrSlideShow_Timer();
    EXPECT_EQ(gAlbumState.CurrentImageIndex, s.first + 1);
    EXPECT_EQ(InViewer(), s.fullScreen ? s.first + 1 : 0);
    f.StopSlideShow();
  }
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(SlideShow, APhotoThatCannotOpenIsPassedOverWithALogLine) {
  frmMain& f = Open(5, {2, 3});
  f.StartSlideShow(Options(false, false));
  const auto seen = RunToTheEnd(f);
  std::vector<int> photos;
  for (const auto& s : seen) photos.push_back(s.first);
  EXPECT_EQ(photos, (std::vector<int>{4, 5, 5}));
  EXPECT_TRUE(prompter.Prompts().empty()) << "no message box under the running timer: " << (prompter.Prompts().empty() ? "" : prompter.Prompts()[0].text);
  EXPECT_EQ(LogCount("DisplayPhoto"), 2u);
  EXPECT_TRUE(LogHas("p2.jpg"));
  EXPECT_TRUE(LogHas("p3.jpg"));
  // Outside a show the message comes as before.
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  f.imgThumbnail_DblClick(1);
  EXPECT_EQ(prompter.Prompts().size(), 1u);
}

TEST_F(SlideShow, EachStepOfAShowWithClipsPlaysThePhotosClipAndOnlyDuringTheShow) {
  frmMain& f = Open(3);
  Write("Photo_Audio/p2.jpg.wav", WavTone(1, 0));
  Write("Photo_Audio/p3.jpg.wav", WavTone(1, 0));
  // The player is made afresh for each clip.
  auto wav = []() -> QMediaPlayer& { return qm::sound::WavPlayer::Instance().Player(); };
  frmMain::SlideShowOptions o = Options(false, false);
  o.Clips = true;
  o.IntervalMs = 60000;
  f.StartSlideShow(o);
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 1);
  EXPECT_TRUE(wav().source().isEmpty()) << "photo 1 has no clip";
  f.tmrSlideShow_Timer();
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_EQ(wav().source().toLocalFile().toStdString(), Path("Photo_Audio/p2.jpg.wav"));
  // A manual step ends the show and its clip, and plays no clip of its own.
  f.pctNext_Click();
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 3);
  EXPECT_FALSE(SlideShowRunning);
  EXPECT_TRUE(gAlbumState.PlayPhotoClips);
  EXPECT_TRUE(wav().source().isEmpty());
}

TEST_F(SlideShow, AStepOrGroupButtonStopsIt) {
  frmMain& f = Open(4);
  Write("Photo_SlideGroups/Beach.lst", CrLf({"p1.jpg"}));
  for (int how = 0; how < 3; ++how) {
    f.ShowThumbnailBoxes(true);
    f.StartSlideShow(Options(false, false));
    f.tmrSlideShow->setInterval(60000);
    ASSERT_TRUE(SlideShowRunning);
    if (how == 0) Click(f.lbButtonText[0]);
    if (how == 1) f.pctPrev_Click();
    if (how == 2) f.pctAlbumList_MouseDown(0, 1, 0, 0, 0);
    EXPECT_FALSE(SlideShowRunning) << how;
    EXPECT_FALSE(f.tmrSlideShow->isActive()) << how;
  }
}

}  // namespace
