// WAV clips and MIDI songs for the whole program. Nothing here waits for a sound:
// the players run on their own threads.
#include <QCoreApplication>
#include <QMetaObject>
#include <ctime>
#include <exception>
#include <memory>

#include "archive/modUtils.h"
#include "core/errorlog.h"
#include "media/sound_off.h"
#include "platform/clock.h"
#include "platform/sound_backend.h"

namespace {

std::unique_ptr<qm::sound::MidiSynth>& Synth() {
  static std::unique_ptr<qm::sound::MidiSynth> synth;
  return synth;
}

std::string AliasForNow() {
  const std::time_t t = qm::Now();
  std::tm local{};
  localtime_r(&t, &local);
  char text[16];
  std::strftime(text, sizeof text, "%H%M%S", &local);
  return std::string("Midi") + text;
}

}  // namespace

void NoteSoundOff(const std::string& procName, const std::string& why) {
  if (qm::sound::ClaimSoundOffNotice()) LogError(procName, why + "; sound is off");
}

void PlayWav(const std::string& path) {
  try {
    if (!qm::sound::HaveAudioDevice()) NoteSoundOff("PlayWav", "No sound device");
    qm::sound::WavPlayer::Instance().Play(path);
  } catch (const std::exception& e) {
    LogError("PlayWav", e.what());
  }
}

void StopWav() {
  try {
    qm::sound::WavPlayer::Instance().Stop();
  } catch (const std::exception& e) {
    LogError("StopWav", e.what());
  }
}

void PlayMidi(const std::string& path) {
  try {
    if (!MidiAlias.empty()) StopMidi();
    MidiAlias = AliasForNow();
    // Told whether or not there is sound: the song would never play.
    if (const std::string why = qm::sound::SongRefusal(path); !why.empty()) {
      LogError("PlayMidi", why);
      return;
    }
    if (!qm::sound::HaveAudioDevice()) {
      NoteSoundOff("PlayMidi", "No sound device");
      return;
    }
    auto& synth = Synth();
    if (!synth) {
      // Failures come from the synthesiser's loading thread; the log is written
      // on the user-interface thread.
      synth = std::make_unique<qm::sound::MidiSynth>(false, [](const std::string& why) {
        if (QCoreApplication* app = QCoreApplication::instance())
          QMetaObject::invokeMethod(app, [why] { NoteSoundOff("PlayMidi", why); }, Qt::QueuedConnection);
      });
    }
    synth->Play(path);
  } catch (const std::exception& e) {
    LogError("PlayMidi", e.what());
  }
}

void StopMidi() {
  try {
    if (auto& synth = Synth()) synth->Stop();
    MidiAlias.clear();
  } catch (const std::exception& e) {
    LogError("StopMidi", e.what());
  }
}
