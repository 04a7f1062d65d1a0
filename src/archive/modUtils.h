#pragma once
// Opening a document with the desktop, and unloading every window but one.
#include <string>

int OpenWithShell(const std::string& Path, int ShowCmd);
void UnloadOtherForms(const std::string& FormName);

// Sound in the background: one WAV clip and one MIDI song at a time, the two may
// sound together, each replaces only its own kind, a missing file is silent.
inline std::string MidiAlias;  // "Midi" and the opening time "hhmmss"; "" when no song is open
void PlayWav(const std::string& path);
void StopWav();
void PlayMidi(const std::string& path);
void StopMidi();
