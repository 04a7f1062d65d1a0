#pragma once
// Shared by every fuzz target: one offscreen Qt application and one temporary
// program folder per process, so the readers run exactly as in the program.
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

}  // namespace fuzz
