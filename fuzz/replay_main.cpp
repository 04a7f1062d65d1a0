// Feeds every file of the given folders (or the given files) to the target once,
// as libFuzzer would, and fails when an input breaks it or needs too much memory.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "harness.h"

namespace fs = std::filesystem;

namespace {

constexpr long kPeakLimitKb = 512 * 1024;

long PeakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const auto& e : fs::directory_iterator(argv[i]))
        if (e.is_regular_file()) inputs.push_back(e.path());
    } else {
      inputs.emplace_back(argv[i]);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs\n");
    return 1;
  }
  for (const fs::path& p : inputs) {
    std::ifstream in(p, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      std::fprintf(stderr, "cannot read %s\n", p.c_str());
      return 1;
    }
    std::printf("%s (%zu bytes)\n", p.filename().c_str(), bytes.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (PeakKb() > kPeakLimitKb) {
      std::fprintf(stderr, "%s: peak memory %ld MB\n", p.c_str(), PeakKb() / 1024);
      return 1;
    }
  }
  std::printf("%zu inputs, peak memory %ld MB\n", inputs.size(), PeakKb() / 1024);
  return 0;
}
