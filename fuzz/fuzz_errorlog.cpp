// One entry onto an existing log of these bytes, trimmed when it is long.
#include <string>

#include "core/errorlog.h"
#include "harness.h"
#include "platform/clock.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  const std::string log = LogFilePath();
  fuzz::WriteBytes(log, data, size);
  const std::string msg = "An error has occurred in 'Fuzz'. Error = fuzz";
  WriteLog(log, msg);
  const std::string entry = LogEntryStamp(qm::Now()) + msg + "\r\n";
  const std::string after = qm::ReadFileBytes(log);
  const std::string before(reinterpret_cast<const char*>(data), size);
  if (size <= 80000) {
    const bool ended = before.empty() || before.back() == '\r' || before.back() == '\n';
    fuzz::Expect(after == before + (ended ? "" : "\r\n") + entry, "a short log only gains the entry");
  } else {
    const std::string first = before.substr(0, before.find_first_of("\r\n"));
    fuzz::Expect(after.compare(0, first.size() + 2, first + "\r\n") == 0, "trimming keeps the first line");
    fuzz::Expect(after.size() > entry.size() && after.compare(after.size() - entry.size(), entry.size(), entry) == 0,
                 "the entry ends the log");
  }
  return 0;
}
