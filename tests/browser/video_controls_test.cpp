// The main window's video controls and clip buttons on the real window, with
// clips decoded by the media framework.
#include <gtest/gtest.h>

#include <QMediaPlayer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QVideoWidget>

#include "archive/modUtils.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "media/frmFullScreen.h"
#include "media/modDirectShow.h"
#include "platform/sound_backend.h"
#include "support/mjpeg_avi.h"
#include "support/wait_until.h"
#include "window_fixture.h"

namespace {

using Row = std::array<bool, 3>;

class VideoControls : public WindowTest {
protected:
  static std::string ClipBytes(int frames, int perSecond = 10) {
    std::vector<QImage> images;
    for (int k = 0; k < frames; ++k) {
      QImage img(64, 48, QImage::Format_RGB32);
      img.fill(QColor(200, 40 + (k * 5) % 200, 40));
      images.push_back(img);
    }
    return MjpegAviBytes(images, perSecond);
  }
  // A group of a picture, a clip of 6 seconds and a damaged clip, or of the
  // entries given; the window may be shown without a first-time notice.
  frmMain& Open(const std::vector<std::string>& entries = {"a.jpg", "b.avi", "c.avi"}) {
    AddPhoto("a.jpg", EncodedImage(Solid(64, 48, Qt::green), "JPEG"));
    AddPhoto("b.avi", ClipBytes(60));
    AddPhoto("c.avi", "RIFF\x10\0\0\0AVI LIST this is no clip");
    Write("Photo_SlideGroups/  All Photos  .lst", CrLf(entries));
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    return frmMain::Get();
  }
  static QMediaPlayer& Player() { return *qApp->findChild<QMediaPlayer*>("VideoPlayer"); }
  static std::array<bool, 3> Buttons(frmMain& f) {
    return {f.cmdVideo[0]->isEnabled(), f.cmdVideo[1]->isEnabled(), f.cmdVideo[2]->isEnabled()};
  }
};

TEST_F(VideoControls, AClipOpensAndPlaysAndAPictureStopsIt) {
  frmMain& f = Open();
  ASSERT_TRUE(f.DisplayPhoto(2));
  EXPECT_EQ(VideoFileName, Path("Photos/b.avi"));
  EXPECT_TRUE(VideoPlaying);
  EXPECT_EQ(Buttons(f), (Row{false, true, true}));
  EXPECT_TRUE(f.hscVideo->isEnabled());
  EXPECT_TRUE(f.tmrVideo->isActive());
  EXPECT_EQ(f.picVideoWindow->findChildren<QVideoWidget*>().size(), 1);
  ASSERT_TRUE(WaitUntil([&] { return f.lbVideo->text() == "6 sec"; }));
  EXPECT_TRUE(WaitUntil([&] { return f.hscVideo->value() >= 1; }));

  ASSERT_TRUE(f.DisplayPhoto(1));
  EXPECT_FALSE(VideoPlaying);
  EXPECT_EQ(Player().playbackState(), QMediaPlayer::StoppedState);
  EXPECT_EQ(Buttons(f), (Row{false, false, false}));
  EXPECT_FALSE(f.hscVideo->isEnabled());
}

TEST_F(VideoControls, TheGridStopsTheClipAndPlayOpensTheCurrentPhoto) {
  frmMain& f = Open();
  ASSERT_TRUE(f.DisplayPhoto(2));
  f.ShowThumbnailPage(1);
  EXPECT_FALSE(VideoPlaying);
  EXPECT_EQ(Player().playbackState(), QMediaPlayer::StoppedState);
  ASSERT_TRUE(f.picVideoWindow->isHidden());

  // With the grid up, play opens the current photo, which starts the clip.
  f.SetImageIndex(2);
  f.cmdVideo_Click(0);
  EXPECT_FALSE(f.picVideoWindow->isHidden());
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 2);
  EXPECT_TRUE(VideoPlaying);
}

TEST_F(VideoControls, PlayOnAnotherGridPageOpensTheCurrentPhoto) {
  std::vector<std::string> names;
  const std::string jpeg = EncodedImage(Solid(64, 48, Qt::green), "JPEG");
  for (int k = 1; k <= 40; ++k) {
    names.push_back(k == 5 ? "clip.avi" : "p" + std::to_string(k) + ".jpg");
    AddPhoto(names.back(), k == 5 ? ClipBytes(20) : jpeg);
  }
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf(names));
  frmMain& f = frmMain::Get();
  f.ShowThumbnailPage(3);
  f.SetImageIndex(5);
  f.cmdVideo_Click(0);
  EXPECT_EQ(gAlbumState.CurrentImageIndex, 5);
  EXPECT_EQ(VideoFileName, Path("Photos/clip.avi"));
  EXPECT_TRUE(VideoPlaying);
}

TEST_F(VideoControls, ButtonsPauseStopAndPlayAndADragSeeks) {
  frmMain& f = Open();
  ASSERT_TRUE(f.DisplayPhoto(2));
  ASSERT_TRUE(WaitUntil([&] { return f.lbVideo->text() == "6 sec"; }));
  Click(f.cmdVideo[1]);
  EXPECT_EQ(Buttons(f), (Row{true, false, true}));
  EXPECT_FALSE(VideoPlaying);
  Click(f.cmdVideo[0]);
  EXPECT_TRUE(VideoPlaying);
  Click(f.cmdVideo[2]);
  EXPECT_EQ(Buttons(f), (Row{true, false, false}));
  EXPECT_EQ(f.hscVideo->value(), 0);

  // A value set from the program does not move the clip; a drag does and pauses.
  EXPECT_EQ(Player().position(), 0);
  f.hscVideo->setSliderDown(true);
  f.hscVideo->setSliderPosition(4);
  f.hscVideo->setSliderDown(false);
  EXPECT_EQ(Buttons(f), (Row{true, false, true}));
  ASSERT_TRUE(WaitUntil([] { return Player().playbackState() == QMediaPlayer::PausedState; }));
  EXPECT_NEAR(Player().position(), 4000, 150);
  Click(f.cmdVideo[0]);  // resumes from there
  EXPECT_TRUE(VideoPlaying);
  EXPECT_GE(Player().position(), 3850);
}

// A part of a horizontal scroll bar as its style draws it, in the bar's pixels.
QRect BarPart(const QScrollBar* bar, QStyle::SubControl part) {
  QStyleOptionSlider o;
  o.initFrom(bar);
  o.orientation = Qt::Horizontal;
  o.state |= QStyle::State_Horizontal;
  o.minimum = bar->minimum();
  o.maximum = bar->maximum();
  o.sliderPosition = bar->sliderPosition();
  o.pageStep = bar->pageStep();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, part, bar);
}

TEST_F(VideoControls, DraggingTheBoxOfTheBarSeeksAnywhereInALongClip) {
  AddPhoto("long.avi", ClipBytes(140, 2));
  frmMain& f = Open({"long.avi"});
  f.show();
  ASSERT_TRUE(f.DisplayPhoto(1));
  ASSERT_TRUE(WaitUntil([&] { return f.lbVideo->text() == "70 sec"; }));
  QApplication::processEvents();
  QScrollBar* bar = f.hscVideo;
  EXPECT_EQ(PartsMeeting(f.client, bar), "");
  const QRect groove = BarPart(bar, QStyle::SC_ScrollBarGroove);
  const QRect box = BarPart(bar, QStyle::SC_ScrollBarSlider);
  EXPECT_GE(groove.width() - box.width(), 200) << "the box has room to move";

  // The box is taken and dropped three quarters along, in steps, as a hand does.
  const int y = box.center().y();
  const int to = groove.left() + box.width() / 2 + (groove.width() - box.width()) * 3 / 4;
  QTest::mousePress(bar, Qt::LeftButton, {}, box.center());
  for (int k = 1; k <= 10; ++k) QTest::mouseMove(bar, QPoint(box.center().x() + (to - box.center().x()) * k / 10, y));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(to, y));
  const int dropped = bar->value();
  EXPECT_NEAR(dropped, 52, 2);
  EXPECT_FALSE(VideoPlaying);
  ASSERT_TRUE(WaitUntil([] { return Player().playbackState() == QMediaPlayer::PausedState; }));
  // It stands there, and the bar with it.
  QTest::qWait(600);
  EXPECT_EQ(Player().playbackState(), QMediaPlayer::PausedState);
  EXPECT_NEAR(double(Player().position()) / 1000.0, dropped, 1.0);
  EXPECT_EQ(bar->value(), dropped);
  EXPECT_EQ(Buttons(f), (Row{true, false, true}));
}

TEST_F(VideoControls, EveryMoveOfTheBoxTakesTheClipThereAndNoTickSeeks) {
  AddPhoto("long.avi", ClipBytes(140, 2));
  frmMain& f = Open({"long.avi"});
  f.show();
  QScrollBar* bar = f.hscVideo;
  QWheelEvent turn({5, 5}, bar->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
  const std::pair<const char*, std::function<void()>> moves[] = {
      {"track", [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, BarPart(bar, QStyle::SC_ScrollBarAddPage).center()); }},
      {"Right", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); }},
      {"PageDown", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown); }},
      {"wheel", [&] { QApplication::sendEvent(bar, &turn); }}};
  ASSERT_TRUE(f.DisplayPhoto(1) && WaitUntil([&] { return bar->value() >= 1; }));
  for (const auto& [name, move] : moves) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, BarPart(bar, QStyle::SC_ScrollBarSlider).center());  // takes the keys
    const int to = bar->value() + 1;
    move();
    EXPECT_TRUE(WaitUntil([&] { return !VideoPlaying && std::abs(Player().position() - to * 1000) < 150; })) << name;
    Click(f.cmdVideo[0]);  // goes on from there, and the ticks after it never seek
    EXPECT_TRUE(Player().position() > to * 1000 - 150 && WaitUntil([&] { return bar->value() > to; }) && VideoPlaying) << name;
  }
}

TEST_F(VideoControls, ADamagedClipKeepsTheControlsOff) {
  frmMain& f = Open();
  ASSERT_TRUE(f.DisplayPhoto(3));
  ASSERT_TRUE(WaitUntil([] { return !VideoIsOpen(); }));
  EXPECT_EQ(Buttons(f), (Row{false, false, false}));
  EXPECT_FALSE(f.hscVideo->isEnabled());
  EXPECT_EQ(f.lbVideo->text(), "Length");
  f.EnableVideo(true);  // the information box loading the entry again
  EXPECT_EQ(Buttons(f), (Row{false, false, false}));
  Click(f.cmdVideo[0]);
  EXPECT_FALSE(VideoPlaying);
  EXPECT_TRUE(LogHas("The clip cannot be played: " + Path("Photos/c.avi")));
  // The next clip plays again.
  ASSERT_TRUE(f.DisplayPhoto(2));
  EXPECT_EQ(Buttons(f), (Row{false, true, true}));
  EXPECT_TRUE(WaitUntil([&] { return f.lbVideo->text() == "6 sec"; }));
}

// The controls follow the entry loaded last: once a picture is on show, in the
// window or in the viewer, nothing said to the clip still open turns them on.
TEST_F(VideoControls, BesideAPictureTheClipButtonsStayOffWhateverComesAfter) {
  frmMain& f = Open({"b.avi", "a.jpg"});
  auto offBesideThePicture = [&](const char* after) {
    EXPECT_EQ(Buttons(f), (Row{false, false, false})) << after;
    EXPECT_FALSE(f.hscVideo->isEnabled()) << after;
    const int opened = f.PhotosOpened;
    Click(f.cmdVideo[0]);
    EXPECT_EQ(f.PhotosOpened, opened) << after << ": play opened the picture again";
  };

  // In the viewer: from the clip onto the picture, then a key of no action, then Esc.
  ASSERT_TRUE(f.DisplayPhoto(1));
  f.cmdFullScreen_Click();
  ASSERT_TRUE(frmFullScreen::IsLoaded());
  QWidget* keys = frmFullScreen::Get().picVideoWindowFS;
  QTest::keyClick(keys, Qt::Key_Right);
  ASSERT_EQ(gAlbumState.CurrentImageIndex, 2);
  offBesideThePicture("the step onto the picture");
  QTest::keyClick(keys, Qt::Key_X);
  offBesideThePicture("a key of no action");
  QTest::keyClick(keys, Qt::Key_Escape);
  QApplication::processEvents();
  ASSERT_FALSE(frmFullScreen::IsLoaded());
  offBesideThePicture("the viewer closed");

  // A show from the clip to the picture, at whose end the grid comes back.
  f.ShowThumbnailBoxes(true);
  f.StartSlideShow({.IntervalMs = 10, .FullScreen = false, .OnlySelected = false, .StartWithCurrent = false,
                    .Music = false, .Clips = false});
  ASSERT_TRUE(WaitUntil([] { return !SlideShowRunning; }));
  ASSERT_EQ(ViewMode, 0);
  offBesideThePicture("the show ended");
  EXPECT_EQ(ViewMode, 0);

  // After a clip they are on again.
  ASSERT_TRUE(f.DisplayPhoto(1));
  EXPECT_EQ(Buttons(f), (Row{false, true, true}));
  EXPECT_TRUE(f.hscVideo->isEnabled());
}

TEST_F(VideoControls, ClipButtonsPlayAndStopThePhotosSoundClip) {
  frmMain& f = Open();
  Write("Photo_Audio/b.avi.wav", "RIFF");
  ASSERT_TRUE(f.DisplayPhoto(1));
  EXPECT_FALSE(f.cmdPlayAudioClip[0]->isEnabled());
  ASSERT_TRUE(f.DisplayPhoto(2));
  EXPECT_TRUE(f.cmdPlayAudioClip[0]->isEnabled());
  EXPECT_TRUE(f.cmdPlayAudioClip[1]->isEnabled());
  auto wav = [] { return &qm::sound::WavPlayer::Instance().Player(); };
  Click(f.cmdPlayAudioClip[0]);
  EXPECT_EQ(wav()->source().toLocalFile().toStdString(), AudioFolder + "b.avi.wav");
  f.cmdPlayAudioClip_Click(1);
  EXPECT_EQ(wav()->playbackState(), QMediaPlayer::StoppedState);
  EXPECT_TRUE(wav()->source().isEmpty());
}

TEST_F(VideoControls, ClosingTheWindowStopsBothSounds) {
  Write("Photo_Audio/long.wav", "RIFF");
  Write("Photo_Midi/song.mid", "MThd");
  frmMain::Get();
  qm::sound::PretendNoAudioDevice(true);
  PlayMidi(Path("Photo_Midi/song.mid"));
  PlayWav(Path("Photo_Audio/long.wav"));
  ASSERT_NE(MidiAlias, "");
  CloseWindow();
  EXPECT_EQ(MidiAlias, "");
  EXPECT_TRUE(qm::sound::WavPlayer::Instance().Player().source().isEmpty());
  qm::sound::PretendNoAudioDevice(false);
}

}  // namespace
