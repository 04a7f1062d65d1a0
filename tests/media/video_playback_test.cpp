// The one video player and the main window's controls it keeps, with real clips
// decoded by the media framework.
#include <QLabel>
#include <QVideoWidget>
#include <memory>

#include "archive/modUtils.h"
#include "media/video_frame.h"
#include "platform/sound_backend.h"
#include "support/yield_watch.h"
#include "video_fixture.h"

namespace {

// What a first frame may take; far more than any test clip needs.
constexpr std::int64_t kFrameBudget = std::int64_t(64) << 20;

using Row = std::array<bool, 3>;

TEST_F(VideoTest, OpenShowsTheLengthAndLeavesTheClipStopped) {
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("long.avi", 104), f.picVideoWindow);
  EXPECT_DOUBLE_EQ(VideoDuration, 10.4);
  EXPECT_EQ(f.lbVideo->text(), "10.4 sec");
  EXPECT_EQ(f.hscVideo->maximum(), 10);
  EXPECT_EQ(f.hscVideo->value(), 0);
  EXPECT_EQ(Buttons(), (Row{true, false, false}));
  EXPECT_FALSE(f.tmrVideo->isActive());
  EXPECT_FALSE(VideoPlaying);
  EXPECT_EQ(VideoRate, 1);
  EXPECT_TRUE(VideoIsOpen());
  EXPECT_EQ(Player().playbackState(), QMediaPlayer::StoppedState);
  // The picture fills the host box.
  auto* view = f.picVideoWindow->findChild<QVideoWidget*>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->geometry(), f.picVideoWindow->rect());

  OpenAndLoad(Clip("s\xe9" "ance.avi", 25), f.picVideoWindow);  // names are bytes, not always UTF-8
  EXPECT_EQ(f.lbVideo->text(), "2.5 sec");
  EXPECT_EQ(f.hscVideo->maximum(), 2);
}

TEST_F(VideoTest, CommandsMoveTheControlsThroughTheirStates) {
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("clip.avi", 60), f.picVideoWindow);

  VideoCommand("play");  // any case
  EXPECT_EQ(Buttons(), (Row{false, true, true}));
  EXPECT_TRUE(VideoPlaying);
  EXPECT_TRUE(f.tmrVideo->isActive());
  ASSERT_TRUE(WaitUntil([] { return Seconds() > 0.5; }));

  VideoCommand("Pause");
  EXPECT_EQ(Buttons(), (Row{true, false, true}));
  EXPECT_FALSE(VideoPlaying);
  EXPECT_TRUE(f.tmrVideo->isActive());  // unchanged; the poll does nothing now
  ASSERT_TRUE(WaitUntil([] { return Player().playbackState() == QMediaPlayer::PausedState; }));
  const double paused = Seconds();

  VideoCommand("rewind");  // no such command
  EXPECT_EQ(Buttons(), (Row{true, false, true}));
  EXPECT_FALSE(VideoPlaying);

  VideoCommand("PLAY");  // resumes where it paused
  EXPECT_GE(Seconds(), paused - 0.05);
  EXPECT_EQ(Buttons(), (Row{false, true, true}));

  f.hscVideo->setValue(3);
  VideoCommand("STOP");
  EXPECT_EQ(Buttons(), (Row{true, false, false}));
  EXPECT_FALSE(VideoPlaying);
  EXPECT_EQ(f.hscVideo->value(), 0);
  EXPECT_EQ(Player().position(), 0);
  VideoCommand("play");  // after a stop, from the start
  EXPECT_LT(Seconds(), 0.5);
}

// Commands given while the clip still loads act once it has loaded.
TEST_F(VideoTest, PlayAndPauseBeforeTheClipHasLoaded) {
  frmMain& f = frmMain::Get();
  OpenVideo(Clip("a.avi", 30), f.picVideoWindow);
  VideoCommand("play");
  EXPECT_EQ(Buttons(), (Row{false, true, true}));
  EXPECT_TRUE(WaitUntil([] { return Seconds() > 0.5; }));
  OpenVideo(Clip("b.avi", 30), f.picVideoWindow);
  VideoCommand("play");
  VideoCommand("pause");
  ASSERT_TRUE(WaitUntil([] { return Player().playbackState() == QMediaPlayer::PausedState; }));
  EXPECT_EQ(Player().position(), 0);
}

TEST_F(VideoTest, SeekingPausesAtAWholeSecondInsideTheClip) {
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("clip.avi", 60), f.picVideoWindow);
  VideoCommand("play");
  SetVideoPosition(4);
  EXPECT_EQ(Buttons(), (Row{true, false, true}));
  EXPECT_FALSE(VideoPlaying);
  ASSERT_TRUE(WaitUntil([] { return Player().playbackState() == QMediaPlayer::PausedState; }));
  EXPECT_NEAR(Seconds(), 4.0, 0.15);
  SetVideoPosition(99);
  EXPECT_NEAR(Seconds(), 6.0, 0.15);
  SetVideoPosition(-5);
  EXPECT_NEAR(Seconds(), 0.0, 0.15);
}

TEST_F(VideoTest, ThePollFindsTheEndWithoutWaitingAndPlayStartsAgain) {
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("clip.avi", 12), f.picVideoWindow);
  VideoCommand("play");
  int yields = 0, polls = 0;
  {
    // Polls run at the window's own ticks; none of them may yield or wait.
    ASSERT_TRUE(WaitUntil([&] {
      AtEveryYield watch([&] { ++yields; });
      UpdateVideoProgress();
      ++polls;
      return !VideoPlaying;
    }));
  }
  EXPECT_EQ(yields, 0);
  EXPECT_GT(polls, 1);
  EXPECT_EQ(Buttons(), (Row{true, false, false}));
  EXPECT_FALSE(f.tmrVideo->isActive());
  EXPECT_LT(f.hscVideo->value(), f.hscVideo->maximum() + 1);
  const int bar = f.hscVideo->value();
  UpdateVideoProgress();  // nothing plays: the bar stays
  EXPECT_EQ(f.hscVideo->value(), bar);

  VideoCommand("play");
  EXPECT_TRUE(VideoPlaying);
  EXPECT_LT(Seconds(), 0.5);
  EXPECT_TRUE(WaitUntil([] { return Player().playbackState() == QMediaPlayer::PlayingState; }));
}

TEST_F(VideoTest, TheTimerMovesTheBarWhileAClipPlays) {
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("clip.avi", 40), f.picVideoWindow);
  VideoCommand("play");
  EXPECT_TRUE(WaitUntil([&] { return f.hscVideo->value() >= 2; }));
  EXPECT_TRUE(WaitUntil([] { return !VideoPlaying; }));
  EXPECT_LE(f.hscVideo->value(), 4);
}

TEST_F(VideoTest, ASecondClipReplacesTheOneThatPlays) {
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("first.avi", 60), f.picVideoWindow);
  VideoCommand("play");
  const std::string second = Clip("second.avi", 25);
  OpenVideo(second, f.picVideoWindow);
  EXPECT_EQ(VideoFileName, second);
  EXPECT_FALSE(VideoPlaying);
  EXPECT_FALSE(f.tmrVideo->isActive());
  EXPECT_EQ(Buttons(), (Row{true, false, false}));
  EXPECT_EQ(f.hscVideo->value(), 0);
  ASSERT_TRUE(WaitUntil([] { return VideoDuration == 2.5; }));
  EXPECT_EQ(Player().playbackState(), QMediaPlayer::StoppedState);
  EXPECT_EQ(qApp->findChildren<QMediaPlayer*>("VideoPlayer").size(), 1);
  EXPECT_EQ(f.picVideoWindow->findChildren<QVideoWidget*>().size(), 1);
}

// A clip that cannot play offers nothing: controls off, no length, a log line.
TEST_F(VideoTest, AClipThatCannotPlayLeavesTheControlsOffAndIsLogged) {
  frmMain& f = frmMain::Get();
  Write("Photos/damaged.avi", "RIFF\x10\0\0\0AVI LIST junk that is no clip");
  for (const std::string& bad : {Path("Photos/damaged.avi"), Path("Photos/missing.avi")}) {
    OpenAndLoad(Clip("good.avi", 104), f.picVideoWindow);
    f.EnableVideo(true);
    OpenVideo(bad, f.picVideoWindow);
    ASSERT_TRUE(WaitUntil([&] { return !f.cmdVideo[0]->isEnabled(); })) << bad;
    EXPECT_EQ(Buttons(), (Row{false, false, false}));
    EXPECT_FALSE(f.hscVideo->isEnabled());
    EXPECT_EQ(f.lbVideo->text(), "Length");
    EXPECT_EQ(f.hscVideo->maximum(), 0);
    EXPECT_EQ(VideoDuration, 0);
    EXPECT_FALSE(VideoIsOpen());
    VideoCommand("play");
    EXPECT_FALSE(VideoPlaying);
    EXPECT_FALSE(f.tmrVideo->isActive());
    EXPECT_TRUE(LogHas("The clip cannot be played: " + bad)) << bad;
  }
}

TEST_F(VideoTest, AClipOpensBeforeTheMainWindowWithoutLoadingIt) {
  auto host = std::make_unique<QWidget>();
  host->resize(200, 150);
  OpenVideo(Clip("clip.avi", 20), host.get());
  EXPECT_FALSE(frmMain::IsLoaded());
  ASSERT_TRUE(WaitUntil([] { return VideoDuration == 2.0; }));
  VideoCommand("play");
  EXPECT_TRUE(VideoPlaying);
  ASSERT_TRUE(WaitUntil([] { return Seconds() > 0.5; }));
  // The host goes while the clip plays (a viewer closing); the clip plays on
  // without a picture, and the next clip opens in another host.
  host.reset();
  EXPECT_TRUE(WaitUntil([] { return Player().mediaStatus() == QMediaPlayer::EndOfMedia; }));
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("next.avi", 15), f.picVideoWindow);
  VideoCommand("play");
  EXPECT_TRUE(WaitUntil([] { return Player().mediaStatus() == QMediaPlayer::EndOfMedia; }));
}

TEST_F(VideoTest, ThumbnailsOfClipsLeaveThePlayingClipAlone) {
  frmMain& f = frmMain::Get();
  const std::string playing = Clip("playing.avi", 80);
  OpenAndLoad(playing, f.picVideoWindow);
  VideoCommand("play");
  EXPECT_FALSE(GrabFirstFrame(Clip("caf\xe9.avi", 10), 5000, kFrameBudget).isNull());  // not UTF-8
  EXPECT_EQ(VideoFileName, playing);
  EXPECT_TRUE(VideoPlaying);
  EXPECT_EQ(Player().source().toLocalFile().toStdString(), playing);
  EXPECT_EQ(Player().playbackState(), QMediaPlayer::PlayingState);
  EXPECT_TRUE(WaitUntil([&] { return f.hscVideo->value() >= 1; }))
      << Seconds() << " status " << Player().mediaStatus() << " state " << Player().playbackState() << " playing "
      << VideoPlaying << " timer " << f.tmrVideo->isActive() << " max " << f.hscVideo->maximum();
}

TEST_F(VideoTest, WithoutASoundDeviceClipsPlayAndTheLogSaysSoOnce) {
  qm::sound::PretendNoAudioDevice(true);
  frmMain& f = frmMain::Get();
  OpenAndLoad(Clip("a.avi", 10), f.picVideoWindow);
  VideoCommand("play");
  EXPECT_TRUE(WaitUntil([] { return Player().mediaStatus() == QMediaPlayer::EndOfMedia; }));
  OpenAndLoad(Clip("b.avi", 10), f.picVideoWindow);
  PlayWav(Path("Photos/none.wav"));
  EXPECT_EQ(LogCount("sound is off"), 1u);
  qm::sound::PretendNoAudioDevice(false);
}

}  // namespace
