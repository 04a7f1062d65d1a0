// WAV clips and MIDI songs: the songs are rendered by the synthesiser into memory
// and must not be silent; the clips go through the program's own player.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMediaPlayer>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "archive/modUtils.h"
#include "platform/clock.h"
#include "platform/sound_backend.h"
#include "support/temp_archive.h"
#include "support/time_zone.h"
#include "support/wait_until.h"

namespace {

// A standard MIDI file with one piano note of the given length in ticks (480 a
// beat, 120 beats a minute), or with no note at all.
std::string MidiSong(int ticks) {
  std::string track;
  if (ticks > 0) {
    track += std::string("\x00\xC0\x00", 3);      // piano
    track += std::string("\x00\x90\x3C\x64", 4);  // middle C on
    std::string delta(1, char(ticks & 0x7F));
    for (int t = ticks >> 7; t > 0; t >>= 7) delta.insert(delta.begin(), char(0x80 | (t & 0x7F)));
    track += delta + std::string("\x80\x3C\x40", 3);
  }
  track += std::string("\x00\xFF\x2F\x00", 4);
  std::string len(4, '\0');
  qToBigEndian<quint32>(quint32(track.size()), len.data());
  return std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0", 14) + "MTrk" + len + track;
}

// A 16-bit mono PCM WAV file holding a 440 Hz tone.
std::string WavTone(double seconds) {
  const int rate = 22050, n = int(rate * seconds);
  std::string data;
  for (int k = 0; k < n; ++k) {
    const qint16 v = qint16(12000 * std::sin(2 * M_PI * 440 * k / rate));
    data.append(reinterpret_cast<const char*>(&v), 2);
  }
  auto le32 = [](quint32 v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto le16 = [](quint16 v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  return "RIFF" + le32(quint32(36 + data.size())) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(rate) +
         le32(rate * 2) + le16(2) + le16(16) + "data" + le32(quint32(data.size())) + data;
}

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
  int SoundOffLines() const {
    int n = 0;
    for (const std::string& l : LogEntries()) n += l.find("sound is off") != std::string::npos;
    return n;
  }
};

TEST_F(Sound, SongsRenderAsSoundPlayOnceAndStopOrGiveWayToTheNext) {
  Write("Photo_Midi/Beach party.mid", MidiSong(960));  // a name with a space
  Write("Photo_Midi/empty.mid", MidiSong(0));
  Write("Photo_Midi/text.mid", "not a song");
  std::vector<std::string> notices;
  qm::sound::MidiSynth synth(true, [&](const std::string& n) { notices.push_back(n); });
  // The song asked for while the sounds still load starts once they are in.
  ASSERT_TRUE(synth.Play(Path("Photo_Midi/Beach party.mid")));
  EXPECT_TRUE(synth.Playing());
  ASSERT_TRUE(synth.WaitReady());
  EXPECT_TRUE(notices.empty());
  EXPECT_GT(Peak(synth.Render(qm::sound::kSampleRate / 2)), 0.01f);
  EXPECT_TRUE(synth.Playing());

  synth.Stop();
  EXPECT_FALSE(synth.Playing());
  synth.Render(qm::sound::kSampleRate);  // reverberation dies away
  EXPECT_LT(Peak(synth.Render(qm::sound::kSampleRate / 4)), 1e-4f);

  ASSERT_TRUE(synth.Play(Path("Photo_Midi/Beach party.mid")));
  EXPECT_GT(Peak(synth.Render(qm::sound::kSampleRate / 4)), 0.01f);
  ASSERT_TRUE(synth.Play(Path("Photo_Midi/empty.mid")));  // the first song ends
  synth.Render(qm::sound::kSampleRate);
  EXPECT_LT(Peak(synth.Render(qm::sound::kSampleRate / 4)), 1e-4f);

  for (const char* bad : {"Photo_Midi/missing.mid", "Photo_Midi/text.mid"}) {
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
  Write("Photo_Audio/b.jpg.wav", WavTone(3));
  PlayWav(Path("Photo_Audio/a.jpg.wav"));
  EXPECT_EQ(Wav().source().toLocalFile().toStdString(), Path("Photo_Audio/a.jpg.wav"));
  EXPECT_EQ(Wav().playbackState(), QMediaPlayer::PlayingState);
  ASSERT_TRUE(WaitUntil([] { return Wav().mediaStatus() == QMediaPlayer::EndOfMedia; }));
  EXPECT_EQ(Wav().duration(), 600);

  PlayWav(Path("Photo_Audio/b.jpg.wav"));
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
  EXPECT_EQ(SoundOffLines(), 1);
  EXPECT_EQ(MidiAlias.substr(0, 4), "Midi");
}

}  // namespace
