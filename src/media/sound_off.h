#pragma once
// The one log line of a run that says sound is off.
#include <string>

// Logs under procName, once per run, that sound is off and why.
void NoteSoundOff(const std::string& procName, const std::string& why);
