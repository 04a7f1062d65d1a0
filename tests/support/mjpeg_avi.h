#pragma once
// A minimal Motion-JPEG AVI writer, so tests make their own clips.
#include <QImage>
#include <string>
#include <vector>

// The bytes of an AVI file with one MJPEG video stream holding the frames (all of
// the first frame's size) at fps frames per second.
std::string MjpegAviBytes(const std::vector<QImage>& frames, int fps = 10);
