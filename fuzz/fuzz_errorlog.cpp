// One entry onto an existing log of these bytes, trimmed when it is long.
#include <algorithm>
#include <string>

#include "core/errorlog.h"
#include "harness.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {

bool EndsLine(const std::string& s) { return !s.empty() && (s.back() == '\r' || s.back() == '\n'); }

// Where the next line starts after the one starting at pos: past CR LF, LF or a lone CR.
size_t NextLine(const std::string& s, size_t pos) {
  const size_t end = s.find_first_of("\r\n", pos);
  if (end == std::string::npos) return s.size();
  return end + (s[end] == '\r' && end + 1 < s.size() && s[end + 1] == '\n' ? 2 : 1);
}

size_t CharsOf(const std::string& s, size_t from, size_t to) {
  size_t n = 0;
  for (size_t i = from; i < to; ++i) n += s[i] != '\r' && s[i] != '\n';
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  const std::string log = LogFilePath();
  fuzz::WriteBytes(log, data, size);
  const std::string msg = "An error has occurred in 'Fuzz'. Error = fuzz";
  WriteLog(log, msg);
  const std::string entry = LogEntryStamp(qm::Now()) + msg + "\r\n";
  const std::string after = qm::ReadFileBytes(log);
  const std::string before(reinterpret_cast<const char*>(data), size);
  std::string kept = before;
  if (size > 80000) {
    // The first line stays with its own line end (only its first 4096 characters
    // when it is longer); after it go the fewest whole lines that hold 10000
    // characters (line ends not counted), or all of them; of the rest, the last
    // whole lines that fit within the limit stay byte for byte.
    const size_t firstEnd = NextLine(before, 0), chars = CharsOf(before, 0, firstEnd);
    const std::string first = before.substr(0, std::min<size_t>(chars, 4096)) + before.substr(chars, firstEnd - chars);
    fuzz::Expect(after.compare(0, first.size(), first) == 0, "trimming keeps the first line as it was");
    size_t cut = firstEnd, dropped = 0;
    while (cut < before.size() && dropped < 10000) {
      const size_t next = NextLine(before, cut);
      dropped += CharsOf(before, cut, next);
      cut = next;
    }
    while (before.size() - cut > 80000 - first.size()) cut = NextLine(before, cut);
    kept = first + before.substr(cut);
  }
  // A last line without its line end gets one, so the entry stands on a line of its own.
  fuzz::Expect(after == kept + (kept.empty() || EndsLine(kept) ? "" : "\r\n") + entry,
               size > 80000 ? "whole lines go after the first, the rest kept, then the entry"
                            : "a short log only gains the entry");
  return 0;
}
