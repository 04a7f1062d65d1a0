#pragma once
// The two sound players of the program: WAV clips through Qt Multimedia and MIDI
// songs through FluidSynth. Both start in the background and return at once;
// each replaces only a sound of its own kind.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/media_file.h"

class QMediaPlayer;

namespace qm::sound {

inline constexpr const char* kSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
inline constexpr int kSampleRate = 44100;
// FluidSynth's gain for songs, and the ceiling the limiter holds them under.
inline constexpr float kSongGain = 1.6f;
inline constexpr float kSongCeiling = 0.891f;  // -1 dBFS
// FluidSynth loads a song whole, and holds several times its size.
inline constexpr std::size_t kMaxSongBytes = std::size_t(8) << 20;

// Why a song that is there is not played, for the log: it is larger than
// kMaxSongBytes. Empty for any other song; a missing or damaged one plays
// nothing without a word, as ever.
std::string SongRefusal(const std::string& path);

// True when the system offers a device to play sound on.
bool HaveAudioDevice();
// Tests take the sound device away (true) or give the system's back (false);
// either way the sound-off notice may be given again.
void PretendNoAudioDevice(bool none);
// True the first time it is asked in a run: the one notice that sound is off.
bool ClaimSoundOffNotice();

// One WAV clip at a time. Created on first use; lives as long as the application.
class WavPlayer {
public:
  static WavPlayer& Instance();
  // A file that does not exist plays nothing; a clip that sounds ends first.
  void Play(const std::string& path);
  void Stop();
  // The player of the clip last asked for, for tests that follow its state.
  QMediaPlayer& Player();

private:
  WavPlayer();
  void Fresh();
  QMediaPlayer* player_ = nullptr;
  MediaFile clip_;  // the clip the player has, open while it does
};

// A MIDI song synthesiser. The SoundFont loads on a worker thread, so starting
// the first song returns at once and the song begins when the sounds are in.
// With an audio device FluidSynth plays it through its own driver thread;
// without one (renderOnly) the caller pulls the sound with Render.
class MidiSynth {
public:
  using Notice = std::function<void(const std::string&)>;
  // notice hears of failures (a SoundFont that does not load, no audio device);
  // it may be called on the worker thread.
  MidiSynth(bool renderOnly, Notice notice);
  ~MidiSynth();
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;

  // Ends the song that plays and starts this one once the SoundFont is in. False
  // when the file is missing, no MIDI file or larger than kMaxSongBytes (nothing
  // plays then).
  bool Play(const std::string& path);
  void Stop();
  // Blocks until the SoundFont has loaded or failed; true when it loaded.
  bool WaitReady();
  // True while a song is playing (the SoundFont may still be loading).
  bool Playing();
  // Renders frames of interleaved stereo samples (renderOnly synthesisers).
  std::vector<float> Render(int frames);

private:
  struct State;
  static int RenderForDriver(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
  std::unique_ptr<State> d_;
};

}  // namespace qm::sound
