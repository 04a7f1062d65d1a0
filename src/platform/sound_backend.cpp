#include "platform/sound_backend.h"

#include <fluidsynth.h>

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <atomic>
#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "platform/sound_limiter.h"

namespace qm::sound {

namespace {
std::atomic<bool> gPretendNone{false};
std::atomic<bool> gNoticeGiven{false};
}  // namespace

std::string SongRefusal(const std::string& path) {
  try {
    if (std::uint64_t(FileLen(path)) <= kMaxSongBytes) return "";
  } catch (const RuntimeError&) {
    return "";
  }
  return "The song cannot be played: " + path + " (it is larger than " + std::to_string(kMaxSongBytes >> 20) + " MB)";
}

bool HaveAudioDevice() { return !gPretendNone && !QMediaDevices::audioOutputs().isEmpty(); }

void PretendNoAudioDevice(bool none) {
  gPretendNone = none;
  gNoticeGiven = false;
}

bool ClaimSoundOffNotice() { return !gNoticeGiven.exchange(true); }

// ---- WAV clips ----------------------------------------------------------------

WavPlayer& WavPlayer::Instance() {
  static WavPlayer* instance = nullptr;
  if (!instance) instance = new WavPlayer();
  return *instance;
}

WavPlayer::WavPlayer() { Fresh(); }

// Each clip gets a player of its own, so nothing of the clip before (its end,
// a late failure) carries over to it.
void WavPlayer::Fresh() {
  if (player_) {
    player_->disconnect();
    player_->stop();
    delete player_;
  }
  // The application owns the player, so it goes before the media framework does.
  // Its clip's file only once the player is gone.
  clip_ = MediaFile();
  player_ = new QMediaPlayer(QCoreApplication::instance());
  player_->setObjectName("WavPlayer");
  player_->setAudioOutput(new QAudioOutput(player_));
}

void WavPlayer::Play(const std::string& path) {
  Fresh();
  clip_ = MediaFile(path);
  if (!clip_.IsOpen()) return;
  player_->setSource(clip_.Url());
  player_->play();
}

void WavPlayer::Stop() {
  if (!player_->source().isEmpty()) Fresh();
}

QMediaPlayer& WavPlayer::Player() { return *player_; }

// ---- MIDI songs -----------------------------------------------------------------

struct MidiSynth::State {
  bool renderOnly = true;
  Notice notice;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  fluid_player_t* player = nullptr;  // guarded by lock
  std::mutex lock;
  std::condition_variable loadedCv;
  bool loaded = false;   // the worker has finished, well or not
  bool usable = false;   // the SoundFont is in (and a driver runs, unless renderOnly)
  std::string pending;   // the song asked for while the SoundFont was loading (its bytes)
  std::thread worker;
  PeakLimiter limiter{kSongCeiling, kSampleRate};

  // The player takes its own copy of the song.
  void StartLocked(const std::string& song) {
    player = new_fluid_player(synth);
    if (!player) return;
    fluid_player_add_mem(player, song.data(), song.size());
    fluid_player_play(player);
  }
  void StopLocked() {
    if (player) {
      fluid_player_stop(player);
      delete_fluid_player(player);
      player = nullptr;
    }
    if (synth) fluid_synth_all_sounds_off(synth, -1);
  }
};

namespace {
// FluidSynth's own messages would go to stderr; failures are reported by us.
void QuietFluidLog(int, const char*, void*) {}
}  // namespace

// The driver thread renders under the same lock that starting and ending a song
// take, so a song's player is never deleted while it is being played from.
int MidiSynth::RenderForDriver(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
  auto* s = static_cast<State*>(data);
  std::lock_guard<std::mutex> g(s->lock);
  // A driver that offers no buffers of its own for reverb and chorus has them
  // mixed into the output, as a song rendered to memory has.
  const int result = fx ? fluid_synth_process(s->synth, len, nfx, fx, nout, out)
                        : fluid_synth_process(s->synth, len, nout, out, nout, out);
  if (nout >= 2) s->limiter.Process(out[0], out[1], 1, len);
  return result;
}

MidiSynth::MidiSynth(bool renderOnly, Notice notice) : d_(std::make_unique<State>()) {
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, QuietFluidLog, nullptr);
  d_->renderOnly = renderOnly;
  d_->notice = std::move(notice);
  d_->settings = new_fluid_settings();
  fluid_settings_setnum(d_->settings, "synth.sample-rate", kSampleRate);
  // FluidSynth's own gain leaves songs far quieter than clips; the limiter keeps
  // a dense song from clipping at this one.
  fluid_settings_setnum(d_->settings, "synth.gain", kSongGain);
  d_->synth = new_fluid_synth(d_->settings);
  State* s = d_.get();
  s->worker = std::thread([s] {
    std::string failure;
    if (!s->synth) {
      failure = "The MIDI synthesiser cannot start";
    } else if (!s->renderOnly) {
      // The desktop's sound server first, the bare device second; never a server
      // of its own that a driver might start.
      for (const char* name : {"pulseaudio", "alsa"}) {
        fluid_settings_setstr(s->settings, "audio.driver", name);
        s->driver = new_fluid_audio_driver2(s->settings, &MidiSynth::RenderForDriver, s);
        if (s->driver) break;
      }
      if (!s->driver) failure = "No sound device: MIDI songs are silent";
    }
    if (failure.empty() && fluid_synth_sfload(s->synth, kSoundFont, 1) == FLUID_FAILED)
      failure = std::string("The SoundFont cannot be loaded: ") + kSoundFont;
    {
      std::lock_guard<std::mutex> g(s->lock);
      s->loaded = true;
      s->usable = failure.empty();
      if (s->usable && !s->pending.empty()) s->StartLocked(s->pending);
      s->pending.clear();
      s->loadedCv.notify_all();
    }
    if (!failure.empty() && s->notice) s->notice(failure);
  });
}

MidiSynth::~MidiSynth() {
  if (d_->worker.joinable()) d_->worker.join();
  // The driver goes first: its thread renders from the synthesiser.
  if (d_->driver) delete_fluid_audio_driver(d_->driver);
  d_->StopLocked();
  if (d_->synth) delete_fluid_synth(d_->synth);
  if (d_->settings) delete_fluid_settings(d_->settings);
}

bool MidiSynth::Play(const std::string& path) {
  // Read by the name's own bytes, and never more than the bound.
  std::string song;
  try {
    song = ReadFileBytesUpTo(path, kMaxSongBytes).value_or("");
  } catch (const RuntimeError&) {
    // A missing or unreadable song plays nothing.
  }
  std::lock_guard<std::mutex> g(d_->lock);
  d_->StopLocked();
  d_->pending.clear();
  if (song.compare(0, 4, "MThd") != 0) return false;
  if (!d_->loaded)
    d_->pending = std::move(song);
  else if (d_->usable)
    d_->StartLocked(song);
  return true;
}

void MidiSynth::Stop() {
  std::lock_guard<std::mutex> g(d_->lock);
  d_->pending.clear();
  d_->StopLocked();
}

bool MidiSynth::WaitReady() {
  std::unique_lock<std::mutex> g(d_->lock);
  d_->loadedCv.wait(g, [this] { return d_->loaded; });
  return d_->usable;
}

bool MidiSynth::Playing() {
  std::lock_guard<std::mutex> g(d_->lock);
  if (!d_->pending.empty()) return true;
  return d_->player && fluid_player_get_status(d_->player) == FLUID_PLAYER_PLAYING;
}

std::vector<float> MidiSynth::Render(int frames) {
  std::vector<float> out(std::size_t(frames) * 2, 0.0f);
  if (!d_->renderOnly || frames <= 0 || !d_->synth) return out;
  std::lock_guard<std::mutex> g(d_->lock);
  fluid_synth_write_float(d_->synth, frames, out.data(), 0, 2, out.data(), 1, 2);
  d_->limiter.Process(out.data(), out.data() + 1, 2, frames);
  return out;
}

}  // namespace qm::sound
