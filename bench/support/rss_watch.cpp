#include "support/rss_watch.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

// Resident pages of /proc/<pid>/statm, in kB; 0 when the process is gone.
long StatmKb(const std::string& dir) {
  std::ifstream f(dir + "/statm");
  long size = 0, resident = 0;
  if (!(f >> size >> resident)) return 0;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

long SelfRssMb() { return StatmKb("/proc/self") / 1024; }

long ProcessesRssMb(const std::string& name) {
  long kb = 0;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    const std::string pid = entry.path().filename().string();
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    std::ifstream comm(entry.path() / "comm");
    std::string n;
    // The kernel keeps the first 15 bytes of a name.
    if (std::getline(comm, n) && n == name.substr(0, 15)) kb += StatmKb(entry.path().string());
  }
  return kb / 1024;
}

RssWatch::RssWatch(std::function<long()> sample)
    : thread_([this, sample = std::move(sample)] {
        while (!done_) {
          peak_ = std::max(peak_.load(), sample());
          std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
      }) {}

RssWatch::~RssWatch() {
  done_ = true;
  thread_.join();
}
