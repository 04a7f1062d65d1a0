#pragma once
// Gives a file a last-write time from a local date-and-time text.
#include <cstdint>
#include <string>

// DateText as FileDateText gives it ("MM/DD/YYYY hh:mm:ss", or a date alone).
bool SetFileDateTime(const std::string& FileName, const std::string& DateText);
// The runtime's date-and-time text of a file's last-write time (local time); "" when
// the file's time cannot be read.
std::string FileDateText(const std::string& FileName);
// Parses such a text as local time; false when it is no date.
bool ParseDateText(const std::string& DateText, std::int64_t& seconds);
