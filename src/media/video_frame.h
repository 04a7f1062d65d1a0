#pragma once
// The first picture of a video clip, decoded by the system's media framework with
// no sound output, for thumbnails.
#include <QImage>
#include <string>

// A null image when the clip cannot be opened, shows no picture within timeoutMs
// or has frames too large for the thumbnail builder's budget.
QImage GrabFirstFrame(const std::string& path, int timeoutMs);
