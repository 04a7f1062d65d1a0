#pragma once
// The recursive file finder of the auto-scan. It needs no widget: the rows it finds
// go into a plain list that the import dialog shows after each type.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ScanSystem {

// The most rows the list of files selected for import takes from a scan.
constexpr std::size_t kRowLimit = 32000;
// The most folder entries a scan keeps for its later types; a larger tree is read
// again for each type.
constexpr std::size_t kKeptEntries = 250000;

// The running scan's cancel flag: false while a scan runs, true after a cancel and
// at the end of every scan.
inline bool StopScan = true;

// A visible entry of a folder: a subfolder or a file (links to files included).
struct ScanEntry {
  std::string name;
  bool folder = false;
  std::int64_t size = 0;
};

// The rows a scan found (full paths), counted after the rows the list held before.
struct FoundRows {
  std::size_t before = 0;
  std::vector<std::string> paths;
  std::size_t Count() const { return before + paths.size(); }
  // The folders this scan has listed: each type's search walks the whole tree
  // again, and reads each folder only once, up to a bound on the entries kept.
  std::unordered_map<std::string, std::vector<ScanEntry>> listings;
  std::size_t listedEntries = 0;
  // Whether FindFiles adds up the files' sizes: a look at each file that a caller
  // who ignores the total (the auto-scan) is spared.
  bool sizes = true;
};

// Lists Path (a missing trailing "/" is added) and every folder below it, depth
// first in listing order, appending each file that matches Pattern to List while
// it holds at most kRowLimit rows. Hidden entries and links to folders are passed
// over. Returns the bytes of everything listed; a folder that cannot be read is
// logged and ends only its own call. Cancel is read after every entry.
std::int64_t FindFiles(std::string& Path, const std::string& Pattern, std::int32_t& FileCount, std::int32_t& DirCount,
                       FoundRows& List, bool& Cancel);

// Whether the last yield to the message loop is a moment ago or longer: a scan of
// many thousand entries stays responsive without paying a yield for each.
bool YieldDue();
// Yields to the message loop now.
void YieldNow();
// Yields when one is due.
void YieldWhenDue();

}  // namespace ScanSystem
