// Feeds every file of the given folders (or the given files) to the target once,
// as libFuzzer would, and fails when an input breaks it or needs too much memory.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "harness.h"

namespace fs = std::filesystem;

static long PeakMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024;
}

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_regular_file(argv[i])) {
      inputs.emplace_back(argv[i]);
    } else if (fs::is_directory(argv[i])) {
      for (const auto& e : fs::directory_iterator(argv[i]))
        if (e.is_regular_file()) inputs.push_back(e.path());
    } else {
      std::fprintf(stderr, "no such input: %s\n", argv[i]);
      return 1;
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& p : inputs) {
    std::ostringstream bytes;
    bytes << std::ifstream(p, std::ios::binary).rdbuf();
    const std::string s = bytes.str();
    std::printf("%s (%zu bytes)\n", p.c_str(), s.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    if (PeakMb() > 512) {
      std::fprintf(stderr, "%s took the process to %ld MB\n", p.c_str(), PeakMb());
      return 1;
    }
  }
  std::printf("%zu inputs, peak %ld MB\n", inputs.size(), PeakMb());
  return inputs.empty() ? 1 : 0;
}
