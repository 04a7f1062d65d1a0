#include "platform/memory_limit.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace qm {

namespace {

// Version 1 reports "no limit" as a huge page-rounded number.
constexpr std::int64_t kNoLimitAbove = std::int64_t(1) << 60;

// The limit a file holds; -1 for none ("max", missing, unreadable, nonsense).
std::int64_t ReadLimit(const std::string& path) {
  std::ifstream f(path);
  std::string word;
  std::int64_t v = -1;
  if (!(f >> word)) return -1;
  const char* end = word.data() + word.size();
  if (std::from_chars(word.data(), end, v).ptr != end) return -1;
  return v > 0 && v < kNoLimitAbove ? v : -1;
}

// Keeps the lower of two limits, -1 being none.
void KeepLowest(std::int64_t& lowest, std::int64_t v) {
  if (v > 0 && (lowest < 0 || v < lowest)) lowest = v;
}

// The lowest limit of a group and every group above it, up to the root.
std::int64_t LowestOnPath(const std::string& base, std::string group, const char* file) {
  std::int64_t lowest = -1;
  for (;;) {
    std::string dir = base + group;
    if (dir.back() != '/') dir += '/';
    KeepLowest(lowest, ReadLimit(dir + file));
    const size_t cut = group.find_last_of('/');
    if (cut == std::string::npos || group.size() <= 1) break;
    group = group.substr(0, std::max<size_t>(cut, 1));
  }
  return lowest;
}

}  // namespace

std::int64_t CgroupMemoryLimit(const std::string& cgroupList, const std::string& root) {
  std::int64_t lowest = -1;
  std::istringstream lines(cgroupList);
  std::string line;
  while (std::getline(lines, line)) {
    // hierarchy-id:controllers:path
    const size_t a = line.find(':');
    const size_t b = a == std::string::npos ? a : line.find(':', a + 1);
    if (b == std::string::npos) continue;
    const std::string controllers = line.substr(a + 1, b - a - 1);
    const std::string group = line.substr(b + 1);
    std::int64_t v = -1;
    if (controllers.empty()) {
      v = LowestOnPath(root, group, "memory.max");
    } else {
      std::istringstream names(controllers);
      std::string name;
      while (std::getline(names, name, ','))
        if (name == "memory") v = LowestOnPath(root + "/memory", group, "memory.limit_in_bytes");
    }
    KeepLowest(lowest, v);
  }
  return lowest;
}

std::int64_t UsableMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
  std::int64_t usable = pages > 0 && pageSize > 0 ? std::int64_t(pages) * pageSize : -1;
  std::ifstream f("/proc/self/cgroup");
  std::stringstream text;
  text << f.rdbuf();
  KeepLowest(usable, CgroupMemoryLimit(text.str(), "/sys/fs/cgroup"));
  return usable;
}

}  // namespace qm
