#pragma once
// Shared by every fuzz target: one offscreen Qt application and one temporary
// program folder per process, so the readers run exactly as in the program.
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// Idempotent; called at the top of every input.
void SetUpOnce();
// Replaces the file with exactly these bytes.
void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size);
// A broken invariant: aborts, so libFuzzer keeps the input and the replay fails.
[[noreturn]] void Fail(const char* what);
inline void Expect(bool ok, const char* what) {
  if (!ok) Fail(what);
}
// Whether a picture of size s fits a square of side pixels, and holds one at least.
inline bool Inside(QSize s, int side) {
  return s.width() >= 1 && s.width() <= side && s.height() >= 1 && s.height() <= side;
}

}  // namespace fuzz
