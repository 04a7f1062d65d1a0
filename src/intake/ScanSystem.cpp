#include "intake/ScanSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>

#include "core/errorlog.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "platform/ui_runtime.h"

namespace ScanSystem {

namespace {

using Clock = std::chrono::steady_clock;
// Short enough that a click is answered at once, long enough that a yield costs
// nothing next to the listing.
constexpr auto kYieldEvery = std::chrono::milliseconds(15);
Clock::time_point lastYield{};

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// The folder's visible entries, sorted as every listing of the program is. A link
// to a folder is neither: following it could walk in a circle.
std::vector<ScanEntry> ListEntries(const std::string& folder, bool sizes) {
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) qm::ThrowFromErrno(errno);
  const int dfd = ::dirfd(dir.get());
  std::vector<ScanEntry> out;
  for (;;) {
    errno = 0;
    const dirent* e = ::readdir(dir.get());
    if (!e) {
      if (errno != 0) qm::ThrowFromErrno(errno);
      break;
    }
    if (e->d_name[0] == '.') continue;
    ScanEntry entry{e->d_name};
    unsigned char type = e->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st;
      if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    entry.folder = type == DT_DIR;
    if (type == DT_LNK || (type == DT_REG && sizes)) {
      // A link to a file is that file; a link to a folder is not followed.
      struct stat st;
      if (::fstatat(dfd, e->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
      entry.size = std::int64_t(st.st_size);
      type = DT_REG;
    }
    if (entry.folder || type == DT_REG) out.push_back(std::move(entry));
  }
  std::sort(out.begin(), out.end(), [](const ScanEntry& a, const ScanEntry& b) { return qm::FoldedLess(a.name, b.name); });
  return out;
}

}  // namespace

bool YieldDue() { return Clock::now() - lastYield >= kYieldEvery; }

void YieldNow() {
  qm::DoEvents();
  lastYield = Clock::now();
}

void YieldWhenDue() {
  if (YieldDue()) YieldNow();
}

std::int64_t FindFiles(std::string& Path, const std::string& Pattern, std::int32_t& FileCount, std::int32_t& DirCount,
                       FoundRows& List, bool& Cancel) {
  std::int64_t total = 0;
  if (Path.empty() || Path.back() != '/') Path += '/';
  std::vector<std::string> subfolders;
  try {
    // One listing serves both walks of a folder, its subfolders and its files, and
    // every type's search.
    std::vector<ScanEntry> read;
    const std::vector<ScanEntry>* kept = nullptr;
    if (auto known = List.listings.find(Path); known != List.listings.end()) {
      kept = &known->second;
    } else {
      read = ListEntries(Path, List.sizes);
      if (List.listedEntries + read.size() <= kKeptEntries) {
        List.listedEntries += read.size();
        kept = &List.listings.emplace(Path, std::move(read)).first->second;
      }
    }
    const std::vector<ScanEntry>& entries = kept ? *kept : read;
    for (const ScanEntry& e : entries) {
      if (e.folder) {
        subfolders.push_back(e.name);
        ++DirCount;
      }
      if (Cancel) return total;
      YieldWhenDue();
    }
    for (const ScanEntry& e : entries) {
      if (e.folder || !qm::MatchesPattern(e.name, Pattern)) continue;
      if (List.Count() > kRowLimit) return total;
      std::string path = Path + e.name;
      total += e.size;
      ++FileCount;
      List.paths.push_back(std::move(path));
      if (List.Count() > kRowLimit || Cancel) return total;
      YieldWhenDue();
    }
  } catch (const qm::RuntimeError& e) {
    LogError("FindFiles", e);
    return total;
  }
  for (const std::string& sub : subfolders) {
    if (Cancel) break;
    std::string below = Path + sub + "/";
    total += FindFiles(below, Pattern, FileCount, DirCount, List, Cancel);
  }
  return total;
}

}  // namespace ScanSystem
