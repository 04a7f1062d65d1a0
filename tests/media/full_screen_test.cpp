// The full-screen viewer on the real main window (offscreen, a 4:3 screen): the fit,
// the one decode a step for the screen's size, photos stood upright, the key table
// and the ways out.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <cstdio>
#include <functional>
#include <optional>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "browser/window_fixture.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/slideshow_rules.h"
#include "core/viewer_rules.h"
#include "media/frmFullScreen.h"
#include "media/modDirectShow.h"
#include "platform/runtime_error.h"
#include "support/bytes_read.h"
#include "support/mjpeg_avi.h"
#include "support/oriented_jpeg.h"
#include "support/wait_until.h"
#include "support/wmf_pictures.h"

namespace {

TEST(FullScreenRules, FitKeepsTheShapeAndCentres) {
  const struct {
    QSize picture, screen;
    QRect want;
  } cases[] = {
      {{400, 300}, {800, 600}, {0, 0, 800, 600}},      // same shape: fills the screen
      {{300, 400}, {800, 600}, {175, 0, 450, 600}},    // narrower: as high, centred across
      {{1200, 300}, {800, 600}, {0, 200, 800, 200}},   // panorama: as wide, centred down
      {{4000, 3000}, {1920, 1080}, {240, 0, 1440, 1080}},
      {{100, 100}, {1024, 768}, {128, 0, 768, 768}},   // small pictures are enlarged
      {{400, 0}, {800, 600}, {}},
      {{0, 300}, {800, 600}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(slideshow::FullScreenFit(c.picture, c.screen), c.want) << c.picture.width();
}

class FullScreen : public WindowTest {
protected:
  // The main window is activated when the viewer goes: no first-time notice then.
  void SetUp() override {
    WindowTest::SetUp();
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
  }
  void TearDown() override {
    if (frmFullScreen::IsLoaded()) frmFullScreen::Unload();
    WindowTest::TearDown();
  }

  // A group of solid photos of the given sizes, each a colour of its own.
  frmMain& Open(const std::vector<QSize>& sizes) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      names.push_back("p" + std::to_string(i + 1) + ".jpg");
      SavePhoto(names.back(), Solid(sizes[i].width(), sizes[i].height(), Colour(int(i) + 1)));
      WriteInfo(names.back());
    }
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
    return frmMain::Get();
  }
  void WriteInfo(const std::string& name) {
    Write("Photo_Info/" + name + ".info", CrLf({"PhotoPath=\\Photos\\" + name, "TITLE=" + name}));
  }
  static QColor Colour(int photo) { return QColor::fromHsv((photo * 70) % 360, 255, 220); }

  static frmFullScreen& Viewer() { return frmFullScreen::Get(); }
  // The viewer opened from the main window and made 4:3, as such a screen would be
  // (the offscreen screen is square).
  static frmFullScreen& OpenViewer(frmMain& f) {
    f.cmdFullScreen_Click();
    frmFullScreen& v = Viewer();
    v.showNormal();
    v.setGeometry(0, 0, 800, 600);
    v.ShowPhoto();
    return v;
  }
  static void Key(int qtKey, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, qtKey, m);
    QApplication::sendEvent(Viewer().picVideoWindowFS, &e);
  }
  // The colour in the middle of the picture the viewer shows.
  static QColor Shown() {
    const QImage& p = Viewer().imgFullScreen->picture();
    return p.isNull() ? QColor() : QColor(p.pixel(p.width() / 2, p.height() / 2));
  }
  // Runs the event loop until the photo after the one shown is decoded ahead.
  static void LookAtIt() { ASSERT_TRUE(WaitUntil([] { return Viewer().DecodedAhead().Ready(); })); }
  static bool Near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
           std::abs(a.blue() - b.blue()) < 24;
  }
};

TEST_F(FullScreen, TheWindowCoversTheScreenAndFitsEachPicture) {
  frmMain& f = Open({{400, 300}, {300, 400}, {1200, 300}});
  f.imgThumbnail_DblClick(0);
  f.cmdFullScreen_Click();
  ASSERT_TRUE(frmFullScreen::IsLoaded());
  EXPECT_EQ(ViewMode, 2);
  frmFullScreen& v = Viewer();
  EXPECT_EQ(v.ScreenSize(), v.screen()->size());
  // The offscreen screen is square; the viewer is made 4:3 as such a screen would.
  v.showNormal();
  v.setGeometry(0, 0, 800, 600);
  v.ShowPhoto();
  const QSize screen = v.ScreenSize();
  ASSERT_EQ(screen, QSize(800, 600));
  EXPECT_TRUE(v.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(v.imgFullScreen->toolTip(), "Use arrow keys for PREV/NEXT picture. Click to return to main screen.");
  const int w = screen.width(), h = screen.height();
  const QRect want[] = {{0, 0, w, h}, {(w - h * 3 / 4) / 2, 0, h * 3 / 4, h}, {0, (h - w / 4) / 2, w, w / 4}};
  for (int photo = 1; photo <= 3; ++photo) {
    EXPECT_EQ(gAlbumState.CurrentImageIndex, photo);
    EXPECT_EQ(v.imgFullScreen->geometry(), want[photo - 1]) << photo;
    EXPECT_FALSE(v.imgFullScreen->isHidden());
    EXPECT_TRUE(Near(Shown(), Colour(photo))) << photo;
    Key(Qt::Key_Right);
  }
}

TEST_F(FullScreen, KeyTable) {
  frmMain& f = Open({{64, 48}, {64, 48}, {64, 48}, {64, 48}});
  f.SetImageIndex(2);
  f.cmdFullScreen_Click();
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 2);
  const struct {
    int key;
    Qt::KeyboardModifiers mods;
    int want;
  } steps[] = {
      {Qt::Key_Right, {}, 3},       {Qt::Key_Left, {}, 2},  {Qt::Key_Down, {}, 3}, {Qt::Key_Up, {}, 2},
      {Qt::Key_Return, {}, 3},      {Qt::Key_Left, Qt::ShiftModifier, 2},   {Qt::Key_Space, {}, 3},
      {Qt::Key_Enter, {}, 4},       {Qt::Key_Right, {}, 4},  // the end: the same photo again
      {Qt::Key_A, {}, 4},           {Qt::Key_X, {}, 4},      {Qt::Key_F1, {}, 4},
      {Qt::Key_Right, Qt::ShiftModifier, 4},
  };
  for (const auto& s : steps) {
    Key(s.key, s.mods);
    EXPECT_EQ(gAlbumState.CurrentImageIndex, s.want) << "key " << std::hex << s.key;
    EXPECT_TRUE(Near(Shown(), Colour(s.want)));
    EXPECT_TRUE(frmFullScreen::IsLoaded());
  }
  EXPECT_FALSE(Viewer().PhotoRequest(39, 0));
  EXPECT_FALSE(Viewer().PhotoRequest(65, 0));
  EXPECT_TRUE(Viewer().PhotoRequest(37, 1));
  EXPECT_EQ(ViewMode, 2) << "stepping leaves the full-screen view mode";
  EXPECT_EQ(prompter.Prompts().size(), 0u);
}

TEST_F(FullScreen, KeyCodes) {
  const std::pair<int, int> codes[] = {{Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Escape, 27},
                                       {Qt::Key_Space, 32},  {Qt::Key_Left, 37},  {Qt::Key_Up, 38},
                                       {Qt::Key_Right, 39},  {Qt::Key_Down, 40},  {Qt::Key_A, 65},
                                       {Qt::Key_Z, 90},      {Qt::Key_F1, 0},     {Qt::Key_Shift, 0}};
  for (const auto& [key, code] : codes) EXPECT_EQ(frmFullScreen::KeyCode(key), code) << key;
}

TEST_F(FullScreen, TheWaysOutAndTheirViewMode) {
  frmMain& f = Open({{64, 48}, {64, 48}});
  f.imgThumbnail_DblClick(0);
  // The background and the video box go back to the photo in the main window; the
  // picture and Esc leave the mode the viewer set, and Esc ends a running show too.
  const struct {
    const char* way;
    bool showRunning;
    int viewMode;
    std::function<void()> leave;
  } ways[] = {{"background", false, 1, [&] { Click(&Viewer()); }},
              {"picture", false, 2, [&] { Click(Viewer().imgFullScreen); }},
              {"Esc", true, 2, [] { Key(Qt::Key_Escape); }},
              {"video box", false, 1, [&] { Click(Viewer().picVideoWindowFS); }}};
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    f.cmdFullScreen_Click();
    ASSERT_TRUE(frmFullScreen::IsLoaded());
    SlideShowRunning = w.showRunning;
    if (w.showRunning) f.tmrSlideShow->start(60000);
    w.leave();
    QApplication::processEvents();
    EXPECT_FALSE(frmFullScreen::IsLoaded());
    EXPECT_FALSE(SlideShowRunning);
    EXPECT_FALSE(f.tmrSlideShow->isActive());
    EXPECT_EQ(ViewMode, w.viewMode);
  }
}

TEST_F(FullScreen, AKeyDuringAShowRestartsItsDelayAndNoTickFallsInside) {
  frmMain& f = Open({{64, 48}, {64, 48}, {64, 48}});
  f.imgThumbnail_DblClick(0);
  f.cmdFullScreen_Click();
  SlideShowRunning = true;
  f.tmrSlideShow->start(60000);
  // Runs in the yield of the main window's step, inside the key's request.
  std::optional<bool> timerOnInside;
  QTimer::singleShot(0, [&] { timerOnInside = f.tmrSlideShow->isActive(); });
  Key(Qt::Key_Right);
  ASSERT_TRUE(timerOnInside.has_value());
  EXPECT_FALSE(*timerOnInside);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_TRUE(f.tmrSlideShow->isActive());
  EXPECT_GT(f.tmrSlideShow->remainingTime(), 59000);
  // After the show ended, a key leaves the timer off.
  SlideShowRunning = false;
  Key(Qt::Key_Right);
  EXPECT_FALSE(f.tmrSlideShow->isActive());
}

TEST(FullScreenRules, TheCoarsestReductionThatStillCoversTheScreen) {
  EXPECT_EQ(viewer::CoverFactor({4000, 3000}, {1440, 1080}), 2);
  EXPECT_EQ(viewer::CoverFactor({4000, 3000}, {800, 600}), 4);
  EXPECT_EQ(viewer::CoverFactor({3000, 4000}, {810, 1080}), 2);
  EXPECT_EQ(viewer::CoverFactor({4000, 3000}, {500, 375}), 8);
  EXPECT_EQ(viewer::CoverFactor({3999, 3000}, {500, 375}), 4) << "1/8 leaves 499 pixels";
  EXPECT_EQ(viewer::CoverFactor({1200, 900}, {1440, 1080}), 1) << "enlarged from the whole picture";
}

// The viewer shows the main window's picture, which the main window decodes for
// the screen while the viewer is open: one decode a step.
TEST_F(FullScreen, EachStepDecodesThePhotoOnceForBothWindows) {
  AddJpeg("a.jpg", 4000, 3000);
  AddJpeg("b.jpg", 4000, 3000);
  AddJpeg("c.jpg", 4000, 3000);
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"a.jpg", "b.jpg", "c.jpg"}));
  frmMain& f = frmMain::Get();
  f.imgThumbnail_DblClick(0);
  ASSERT_EQ(f.pctBoxFactor, 8) << "the main window alone holds it reduced for its small area";
  frmFullScreen& v = OpenViewer(f);
  // The photo the viewer opens on is decoded once more, for the screen.
  EXPECT_EQ(f.pctBoxFactor, 4);
  EXPECT_EQ(v.imgFullScreen->picture().cacheKey(), f.pctBoxPicture.cacheKey());
  // b was decoded ahead; the step takes it, and c is decoded ahead in turn.
  LookAtIt();
  const long long before = BytesRead();
  Key(Qt::Key_Right);
  LookAtIt();
  const long long read = BytesRead() - before;
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_LT(read, std::int64_t(Read("Photos/c.jpg").size()) * 3 / 2) << "each photo is read once";
  EXPECT_EQ(f.pctBoxFactor, 4) << "1/4 is the coarsest that covers 800 x 600";
  EXPECT_EQ(f.pctBoxPicture.size(), QSize(1000, 750));
  EXPECT_EQ(v.imgFullScreen->picture().cacheKey(), f.pctBoxPicture.cacheKey()) << "shown as the main window holds it";
  EXPECT_EQ(v.imgFullScreen->geometry(), QRect(0, 0, 800, 600));
  // AddJpeg paints a yellow top-left quarter on blue.
  const QImage shot = v.grab().toImage();
  EXPECT_GT(qRed(shot.pixel(100, 100)), 180);
  EXPECT_GT(qBlue(shot.pixel(700, 500)), 120);
  EXPECT_EQ(f.imgbox->picture().cacheKey(), f.pctBoxPicture.cacheKey());
  EXPECT_EQ(gAlbumState.ZoomLevel, -8) << "the main window's view is unchanged";
  // The main window alone reduces for its own area again.
  Key(Qt::Key_Escape);
  ASSERT_FALSE(frmFullScreen::IsLoaded());
  EXPECT_TRUE(f.NextPhoto());
  EXPECT_EQ(f.pctBoxFactor, 8);
  EXPECT_TRUE(LogEntries().empty());
}

// The photo after the one shown in the direction of travel is decoded ahead; each
// step shows the photo it reaches, taken from the decode ahead or, after a reversal
// or when its file changed since, decoded as ever.
TEST_F(FullScreen, StepsShowTheirPhotoWithTheNextOneDecodedAhead) {
  frmMain& f = Open(std::vector<QSize>(5, QSize(320, 240)));
  f.imgThumbnail_DblClick(0);
  frmFullScreen& v = OpenViewer(f);
  const QColor white(250, 250, 250), grey(120, 120, 120);
  const struct {
    const char* what;
    int key;
    int want;
    bool ahead;
    std::function<void()> before;
    QColor colour;
  } steps[] = {
      {"a show's tick", 0, 2, true, {}, {}},
      {"forward", Qt::Key_Right, 3, true, {}, {}},
      {"turning back", Qt::Key_Left, 2, false, {}, {}},
      {"backward", Qt::Key_Left, 1, true, {}, {}},
      {"the start", Qt::Key_Left, 1, false, {}, {}},
      {"turning forward", Qt::Key_Right, 2, false, {}, {}},
      {"replaced after it was decoded ahead", Qt::Key_Right, 3, false,
       [&] {
         SavePhoto("new.jpg", Solid(320, 240, white));
         std::rename(Path("Photos/new.jpg").c_str(), Path("Photos/p3.jpg").c_str());
       },
       white},
      {"written over after it was decoded ahead", Qt::Key_Right, 4, false,
       [&] { SavePhoto("p4.jpg", Solid(400, 300, grey)); }, grey},
      {"forward", Qt::Key_Right, 5, true, {}, {}},
      {"the end", Qt::Key_Right, 5, false, {}, {}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    LookAtIt();
    if (s.before) s.before();
    const int taken = v.DecodedAhead().Taken();
    if (s.key)
      Key(s.key);
    else
      v.PhotoRequest(39, 0);  // as the show's timer steps the viewer
    EXPECT_EQ(gAlbumState.CurrentImageIndex, s.want);
    EXPECT_TRUE(Near(Shown(), s.colour.isValid() ? s.colour : Colour(s.want)));
    EXPECT_EQ(v.DecodedAhead().Taken() - taken, s.ahead ? 1 : 0);
    EXPECT_EQ(v.imgFullScreen->picture().cacheKey(), f.pctBoxPicture.cacheKey());
    EXPECT_EQ(v.imgFullScreen->geometry(), QRect(0, 0, 800, 600));
  }
  EXPECT_TRUE(LogEntries().empty());
}

// A drawing is drawn at the size it is shown over the screen, not at its own size
// stretched: on opening, from the decode ahead, after a reversal, at a show's tick.
TEST_F(FullScreen, ADrawingIsDrawnAtItsSizeOverTheScreen) {
  const std::string names[] = {"a.wmf", "b.wmf", "c.wmf"};
  for (const std::string& n : names) {
    Write("Photos/" + n, SamplePlaceable());  // 192 x 96
    WriteInfo(n);
  }
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({names[0], names[1], names[2]}));
  frmMain& f = frmMain::Get();
  f.imgThumbnail_DblClick(0);
  frmFullScreen& v = OpenViewer(f);
  const QRect fit(0, 100, 800, 400);
  const std::function<void()> steps[] = {[] {}, [] { Key(Qt::Key_Right); }, [] { Key(Qt::Key_Left); },
                                         [&] { v.PhotoRequest(39, 0); }};
  const int want[] = {1, 2, 1, 2};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    LookAtIt();
    steps[i]();
    EXPECT_EQ(gAlbumState.CurrentImageIndex, want[i]);
    EXPECT_EQ(v.imgFullScreen->geometry(), fit);
    EXPECT_EQ(v.imgFullScreen->picture().size(), fit.size());
    EXPECT_EQ(SampleAt(v.imgFullScreen->picture(), 24, 12), qRgb(255, 0, 0));
    EXPECT_EQ(f.pctBoxSize, QSize(192, 96)) << "its own size stays";
  }
  EXPECT_EQ(v.DecodedAhead().Taken(), 1);
  EXPECT_TRUE(LogEntries().empty());
}

TEST_F(FullScreen, PhotosTurnedByTheirCameraStandUprightOverTheScreen) {
  // Portrait photos stored on their side (5 mirrored as well) and one upside down.
  const int orientations[] = {6, 5, 3, 8};
  std::vector<std::string> names;
  for (int o : orientations) {
    names.push_back("o" + std::to_string(o) + ".jpg");
    Write("Photos/" + names.back(), OrientedJpeg(QuarterColours(900, 1200), o));
    WriteInfo(names.back());
  }
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
  frmMain& f = frmMain::Get();
  f.imgThumbnail_DblClick(0);
  frmFullScreen& v = OpenViewer(f);
  for (int o : orientations) {
    SCOPED_TRACE(o);
    EXPECT_EQ(f.pctBoxSize, QSize(900, 1200));
    EXPECT_EQ(v.imgFullScreen->geometry(), QRect(175, 0, 450, 600));
    EXPECT_GE(v.imgFullScreen->picture().width(), 450);
    EXPECT_TRUE(QuartersStandUpright(v.imgFullScreen->picture()));
    EXPECT_TRUE(QuartersStandUpright(v.grab(v.imgFullScreen->geometry()).toImage()));
    Key(Qt::Key_Right);
  }
}

TEST_F(FullScreen, APictureOfNoHeightIsLoggedAndNotShown) {
  frmMain& f = Open({{64, 48}});
  f.imgThumbnail_DblClick(0);
  f.cmdFullScreen_Click();
  f.pctBoxSize = QSize(64, 0);
  Viewer().ShowPhoto();
  EXPECT_TRUE(Viewer().imgFullScreen->isHidden());
  EXPECT_TRUE(LogHas("ShowPhoto"));
}

TEST_F(FullScreen, AClipPlaysInANearlyFullBoxAndGoesBackToTheMainWindowOnClosing) {
  QImage frame(160, 120, QImage::Format_RGB32);
  frame.fill(Qt::red);
  Write("Photos/clip.avi", MjpegAviBytes(std::vector<QImage>(40, frame), 10));
  WriteInfo("clip.avi");
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"clip.avi"}));
  frmMain& f = frmMain::Get();
  f.imgThumbnail_DblClick(0);
  ASSERT_TRUE(gAlbumState.IsVideo);
  f.cmdFullScreen_Click();
  frmFullScreen& v = Viewer();
  const QSize screen = v.ScreenSize();
  EXPECT_EQ(v.picVideoWindowFS->geometry(), QRect(6, 6, screen.width() - 12, screen.height() - 12));
  EXPECT_TRUE(v.imgFullScreen->isHidden());
  if (!VideoIsOpen()) GTEST_SKIP() << "no video playback in this build";
  EXPECT_TRUE(VideoPlaying);

  // Closed by a click while it plays: the clip stops and waits in the main window.
  Click(v.picVideoWindowFS);
  QApplication::processEvents();
  EXPECT_FALSE(frmFullScreen::IsLoaded());
  EXPECT_FALSE(VideoPlaying);
  EXPECT_TRUE(VideoIsOpen());
  EXPECT_TRUE(f.cmdVideo[0]->isEnabled());
  EXPECT_FALSE(f.picVideoWindow->findChildren<QWidget*>().isEmpty()) << "the picture is in the main window's box";
  f.cmdVideo[0]->click();
  EXPECT_TRUE(VideoPlaying);

  // Closed when the main window no longer shows the clip: it is closed with the
  // viewer, and nothing is left in the box that went.
  f.cmdFullScreen_Click();
  EXPECT_TRUE(Viewer().picVideoWindowFS->findChildren<QWidget*>().size() > 0);
  f.picVideoWindow->hide();
  Key(Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_FALSE(frmFullScreen::IsLoaded());
  EXPECT_FALSE(VideoIsOpen());
  EXPECT_FALSE(VideoPlaying);
}

// One look at a damaged clip in full screen opens it three times (the main window,
// the viewer, back again); the log tells of it once a look.
TEST_F(FullScreen, ADamagedClipLookedAtInFullScreenIsLoggedOnce) {
  Write("Photos/good.avi", MjpegAviBytes(std::vector<QImage>(20, Solid(160, 120, Qt::red)), 10));
  Write("Photos/damaged.avi", "RIFF\x10\0\0\0AVI LIST junk that is no clip");
  for (const char* name : {"damaged.avi", "good.avi"}) WriteInfo(name);
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"damaged.avi", "good.avi"}));
  frmMain& f = frmMain::Get();
  const auto lines = [&] { return LogCount("The clip cannot be played: " + Path("Photos/damaged.avi")); };
  // The media framework's late reports come in while the event loop runs a while.
  const auto settle = [] { WaitUntil([] { return false; }, 300); };

  f.imgThumbnail_DblClick(0);
  ASSERT_TRUE(WaitUntil([&] { return lines() == 1; }));
  f.cmdFullScreen_Click();
  settle();
  Key(Qt::Key_Escape);
  settle();
  ASSERT_FALSE(frmFullScreen::IsLoaded());
  EXPECT_EQ(lines(), 1u);

  // Another look, after another clip, is told again.
  f.NextPhoto();
  ASSERT_TRUE(WaitUntil([] { return VideoDuration > 0; }));
  f.PrevPhoto();
  EXPECT_TRUE(WaitUntil([&] { return lines() == 2; }));
}

}  // namespace
