#pragma once
// The first picture of a video clip, decoded by the system's media framework with
// no sound output, for thumbnails.
#include <QImage>
#include <cstdint>
#include <string>

// A null image when the clip cannot be opened, shows no picture within timeoutMs
// or has frames of more than budget bytes.
QImage GrabFirstFrame(const std::string& path, int timeoutMs, std::int64_t budget);
