// WAV clips and MIDI songs: the songs are rendered by the synthesiser into memory
// and must not be silent; the clips go through the program's own player.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QMediaPlayer>
#include <algorithm>
#include <cmath>
#include <utility>

#include "archive/modUtils.h"
#include "platform/clock.h"
#include "platform/sound_backend.h"
#include "support/bytes_read.h"
#include "support/sound_files.h"
#include "support/temp_archive.h"
#include "support/time_zone.h"
#include "support/wait_until.h"

namespace {

float Peak(const std::vector<float>& s) {
  float p = 0;
  for (float v : s) p = std::max(p, std::fabs(v));
  return p;
}

class Sound : public TempArchive {
protected:
  void SetUp() override {
    TempArchive::SetUp();
    qm::sound::PretendNoAudioDevice(false);
  }
  void TearDown() override {
    StopWav();
    StopMidi();
    qm::sound::PretendNoAudioDevice(false);
    TempArchive::TearDown();
  }
  static QMediaPlayer& Wav() { return qm::sound::WavPlayer::Instance().Player(); }
};

TEST_F(Sound, SongsRenderAsSoundPlayOnceAndStopOrGiveWayToTheNext) {
  // A name with a space, and not UTF-8: names are bytes.
  const std::string beach = "Photo_Midi/Beach caf\xe9.mid";
  Write(beach, MidiSong(960));
  Write("Photo_Midi/empty.mid", MidiSong(0));
  Write("Photo_Midi/text.mid", "not a song");
  ASSERT_EQ(::mkfifo(Path("Photo_Midi/pipe.mid").c_str(), 0600), 0);  // never opened for writing
  std::vector<std::string> notices;
  qm::sound::MidiSynth synth(true, [&](const std::string& n) { notices.push_back(n); });
  // The song asked for while the sounds still load starts once they are in.
  ASSERT_TRUE(synth.Play(Path(beach)));
  EXPECT_TRUE(synth.Playing());
  ASSERT_TRUE(synth.WaitReady());
  EXPECT_TRUE(notices.empty());
  EXPECT_GT(Peak(synth.Render(qm::sound::kSampleRate / 2)), 0.01f);
  EXPECT_TRUE(synth.Playing());

  synth.Stop();
  EXPECT_FALSE(synth.Playing());
  synth.Render(qm::sound::kSampleRate);  // reverberation dies away
  EXPECT_LT(Peak(synth.Render(qm::sound::kSampleRate / 4)), 1e-4f);

  ASSERT_TRUE(synth.Play(Path(beach)));
  EXPECT_GT(Peak(synth.Render(qm::sound::kSampleRate / 4)), 0.01f);
  ASSERT_TRUE(synth.Play(Path("Photo_Midi/empty.mid")));  // the first song ends
  synth.Render(qm::sound::kSampleRate);
  EXPECT_LT(Peak(synth.Render(qm::sound::kSampleRate / 4)), 1e-4f);

  for (const char* bad : {"Photo_Midi/missing.mid", "Photo_Midi/text.mid", "Photo_Midi/pipe.mid"}) {
    EXPECT_FALSE(synth.Play(Path(bad))) << bad;
    EXPECT_FALSE(synth.Playing()) << bad;
  }
  // A song whose track is cut short or is junk plays what it can and ends.
  const std::string song = MidiSong(960);
  for (const std::string& bytes : {song.substr(0, song.size() - 6), song.substr(0, 22) + std::string(40, '\xF7')}) {
    Write("Photo_Midi/damaged.mid", bytes);
    synth.Play(Path("Photo_Midi/damaged.mid"));
    for (int k = 0; k < 60 && synth.Playing(); ++k) synth.Render(qm::sound::kSampleRate / 10);
    EXPECT_FALSE(synth.Playing());
  }
  // A song plays once; its last notes ring out before it is done.
  Write("Photo_Midi/short.mid", MidiSong(240));
  ASSERT_TRUE(synth.Play(Path("Photo_Midi/short.mid")));
  for (int k = 0; k < 60 && synth.Playing(); ++k) synth.Render(qm::sound::kSampleRate / 10);
  EXPECT_FALSE(synth.Playing());
  synth.Render(qm::sound::kSampleRate * 2);
  EXPECT_LT(Peak(synth.Render(qm::sound::kSampleRate / 4)), 1e-4f);
}

TEST_F(Sound, TheSongsAliasIsTheTimeItOpened) {
  TimeZone zone(TimeZone::kCentralEurope);
  std::tm t{};
  t.tm_year = 2026 - 1900, t.tm_mon = 6, t.tm_mday = 9, t.tm_hour = 14, t.tm_min = 30, t.tm_sec = 15;
  t.tm_isdst = -1;
  qm::SetClockForTests(std::mktime(&t));
  qm::sound::PretendNoAudioDevice(true);
  Write("Photo_Midi/a.mid", MidiSong(480));
  StopMidi();  // nothing open: nothing changes
  EXPECT_EQ(MidiAlias, "");
  PlayMidi(Path("Photo_Midi/a.mid"));
  EXPECT_EQ(MidiAlias, "Midi143015");
  PlayMidi(Path("Photo_Midi/a.mid"));  // the same second: the old one closed first
  EXPECT_EQ(MidiAlias, "Midi143015");
  StopMidi();
  EXPECT_EQ(MidiAlias, "");
  qm::SetClockForTests(0);
}

TEST_F(Sound, AClipPlaysInTheBackgroundAndAMissingOneIsSilent) {
  Write("Photo_Audio/a.jpg.wav", WavTone(0.6));
  const std::string latin1 = "Photo_Audio/caf\xe9.jpg.wav";  // names are bytes
  Write(latin1, WavTone(3));
  PlayWav(Path("Photo_Audio/a.jpg.wav"));
  EXPECT_EQ(Wav().source().toLocalFile().toStdString(), Path("Photo_Audio/a.jpg.wav"));
  EXPECT_EQ(Wav().playbackState(), QMediaPlayer::PlayingState);
  ASSERT_TRUE(WaitUntil([] { return Wav().mediaStatus() == QMediaPlayer::EndOfMedia; }));
  EXPECT_EQ(Wav().duration(), 600);

  PlayWav(Path(latin1));
  ASSERT_TRUE(WaitUntil([] { return Wav().position() > 0; }));
  PlayWav(Path("Photo_Audio/a.jpg.wav"));  // replaces the clip that sounds
  EXPECT_EQ(Wav().source().toLocalFile().toStdString(), Path("Photo_Audio/a.jpg.wav"));
  StopWav();
  EXPECT_EQ(Wav().playbackState(), QMediaPlayer::StoppedState);

  const std::size_t logged = LogEntries().size();
  PlayWav(Path("Photo_Audio/missing.wav"));
  EXPECT_EQ(Wav().playbackState(), QMediaPlayer::StoppedState);
  EXPECT_TRUE(Wav().source().isEmpty());
  QApplication::processEvents();
  EXPECT_EQ(LogEntries().size(), logged);
}

TEST_F(Sound, AClipAndASongSoundTogetherAndEachStopsOnlyItself) {
  Write("Photo_Audio/a.jpg.wav", WavTone(3));
  Write("Photo_Midi/a.mid", MidiSong(480));
  PlayWav(Path("Photo_Audio/a.jpg.wav"));
  PlayMidi(Path("Photo_Midi/a.mid"));
  EXPECT_NE(MidiAlias, "");
  EXPECT_EQ(Wav().playbackState(), QMediaPlayer::PlayingState);
  StopMidi();
  EXPECT_EQ(Wav().playbackState(), QMediaPlayer::PlayingState);
  PlayMidi(Path("Photo_Midi/a.mid"));
  StopWav();
  EXPECT_NE(MidiAlias, "");
}

TEST_F(Sound, WithoutASoundDeviceTheProgramGoesOnAndSaysSoOnce) {
  qm::sound::PretendNoAudioDevice(true);
  Write("Photo_Audio/a.jpg.wav", WavTone(0.3));
  Write("Photo_Midi/a.mid", MidiSong(480));
  PlayWav(Path("Photo_Audio/a.jpg.wav"));
  PlayMidi(Path("Photo_Midi/a.mid"));
  PlayWav(Path("Photo_Audio/a.jpg.wav"));
  PlayMidi(Path("Photo_Midi/a.mid"));
  QApplication::processEvents();
  EXPECT_EQ(LogCount("sound is off"), 1u);
  EXPECT_EQ(MidiAlias.substr(0, 4), "Midi");
}

double Dbfs(float peak) { return 20 * std::log10(double(peak)); }

// All sixteen channels at once at full velocity and volume: six-note chords on
// fifteen instruments and the drums, struck four times.
std::string DenseSong() {
  std::string events;
  for (int ch = 0; ch < 16; ++ch) {
    if (ch != 9) events += std::string(1, '\0') + char(0xC0 | ch) + char(ch * 8);
    events += std::string(1, '\0') + char(0xB0 | ch) + char(7) + char(127);
  }
  static const char kChord[] = {48, 52, 55, 60, 64, 67};
  static const char kDrums[] = {35, 36, 38, 42, 49, 57};
  for (int hit = 0; hit < 4; ++hit) {
    for (const bool on : {true, false}) {
      // The chords sound for 400 ticks, 80 apart; the rest of a batch comes at once.
      std::uint32_t wait = on ? (hit > 0 ? 80 : 0) : 400;
      for (int ch = 0; ch < 16; ++ch)
        for (int n = 0; n < 6; ++n)
          events += MidiVarLen(std::exchange(wait, 0)) + char((on ? 0x90 : 0x80) | ch) +
                    (ch == 9 ? kDrums[n] : kChord[n]) + char(on ? 127 : 64);
    }
  }
  return MidiFileBytes(events);
}

// A piano song plays about as loud as a clip does, and a song as dense as any is
// turned down, never clipped.
TEST_F(Sound, SongsSoundAsLoudAsClipsAndADenseOneNeverClips) {
  Write("Photo_Midi/piano.mid", MidiSong(960));
  Write("Photo_Midi/dense.mid", DenseSong());
  qm::sound::MidiSynth synth(true, nullptr);
  ASSERT_TRUE(synth.WaitReady());
  ASSERT_TRUE(synth.Play(Path("Photo_Midi/piano.mid")));
  const double piano = Dbfs(Peak(synth.Render(qm::sound::kSampleRate * 2)));
  EXPECT_GE(piano, -12.0);
  EXPECT_LE(piano, -6.0);
  ASSERT_TRUE(synth.Play(Path("Photo_Midi/dense.mid")));
  const float dense = Peak(synth.Render(qm::sound::kSampleRate * 4));
  EXPECT_LT(dense, 1.0f);
  EXPECT_GT(Dbfs(dense), piano);
}

// A song over the bound is never read in: it does not play, the memory stays
// where it was, and the log tells of it once. A song of exactly the bound plays.
TEST_F(Sound, ASongLargerThanTheBoundIsNotPlayedAndLoggedOnce) {
  const std::string huge = Path("Photo_Midi/huge.mid");
  Write("Photo_Midi/huge.mid", MidiSong(960));
  ASSERT_EQ(::truncate(huge.c_str(), off_t(1) << 30), 0);  // a hole: no disc
  std::string atBound = MidiSong(960);
  atBound.resize(qm::sound::kMaxSongBytes, '\0');
  Write("Photo_Midi/bound.mid", atBound);

  qm::sound::MidiSynth synth(true, nullptr);
  ASSERT_TRUE(synth.WaitReady());
  synth.Render(qm::sound::kSampleRate / 10);
  const long before = PeakKb();
  EXPECT_FALSE(synth.Play(huge));
  EXPECT_FALSE(synth.Playing());
  EXPECT_LT(Peak(synth.Render(qm::sound::kSampleRate / 2)), 1e-4f);
  EXPECT_LT(PeakKb() - before, 64L * 1024);
  ASSERT_TRUE(synth.Play(Path("Photo_Midi/bound.mid")));
  EXPECT_GT(Peak(synth.Render(qm::sound::kSampleRate / 2)), 0.01f);

  EXPECT_EQ(qm::sound::SongRefusal(Path("Photo_Midi/bound.mid")), "");
  EXPECT_EQ(qm::sound::SongRefusal(Path("Photo_Midi/missing.mid")), "");
  PlayMidi(huge);
  QApplication::processEvents();
  EXPECT_EQ(LogCount("The song cannot be played: " + huge + " (it is larger than 8 MB)"), 1u);
}

}  // namespace
