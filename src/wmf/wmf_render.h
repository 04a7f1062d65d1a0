#pragma once
// Drawing a WMF through the helper program quillmont-wmf, which runs libwmf in a
// process of its own with a memory and a time limit. A file the helper fails on,
// whatever the way, gives nothing here and one warning in the log.
#include <QImage>
#include <QSize>
#include <chrono>
#include <cstdint>
#include <string>

class QIODevice;

namespace wmf {

struct Limits {
  // The helper's address space besides the file and the pixels it draws: the
  // program, libwmf, its fonts and its working memory.
  std::int64_t baseMemory = std::int64_t(256) << 20;
  std::chrono::milliseconds time{10000};
};
// Process-wide; tests lower them.
Limits CurrentLimits();
void SetLimits(const Limits& limits);

// The helper beside the running program, else the one of the build tree.
std::string HelperProgram();
// Another helper, for tests (empty: back to the usual one).
void SetHelperProgram(const std::string& path);

// libwmf's size of the picture on device at 96 pixels per inch, read from its
// position to its end; invalid when the helper fails.
QSize ScannedSize(QIODevice& device);

// Draws the picture on device (from its position to its end) into image, which
// already has the size to draw at (RGB32). False when the helper fails.
bool Render(QIODevice& device, QImage& image);

}  // namespace wmf
