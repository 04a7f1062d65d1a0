#include "archive/modUtils.h"

void PlayWav(const std::string&) {}
void StopWav() {}
void PlayMidi(const std::string&) {}
void StopMidi() { MidiAlias.clear(); }
