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

// A view waits this long for a drawing on the user's behalf.
constexpr std::chrono::milliseconds kViewTime{2000};

struct Limits {
  // The helper's address space besides the file and the pixels it draws: the
  // program, libwmf, its fonts and its working memory (about 14 MB, measured).
  std::int64_t baseMemory = std::int64_t(64) << 20;
  std::chrono::milliseconds time = kViewTime;
};
// Process-wide; tests lower them. The time is that of the calling thread when it
// has one of its own (ThreadTimeLimit).
Limits CurrentLimits();
void SetLimits(const Limits& limits);

// While it lives, the helpers this thread runs get this time instead: the workers
// of the thumbnail builder, whom no one waits on, allow a slow file more.
class ThreadTimeLimit {
public:
  explicit ThreadTimeLimit(std::chrono::milliseconds time);
  ~ThreadTimeLimit();
  ThreadTimeLimit(const ThreadTimeLimit&) = delete;
  ThreadTimeLimit& operator=(const ThreadTimeLimit&) = delete;

private:
  std::chrono::milliseconds previous_;
};

// The address space a helper is given to handle a file of fileBytes (unknown: -1)
// and draw pixelBytes: the base, the file held twice (our copy and the library's
// largest record) and once more for the bitmaps it holds, the pixels twice.
std::int64_t HelperMemory(std::int64_t fileBytes, std::int64_t pixelBytes);
// The bytes a helper reads from device, from its position: its size when known.
std::int64_t InputBytes(const QIODevice& device);

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
