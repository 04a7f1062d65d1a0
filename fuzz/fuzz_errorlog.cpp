// One entry onto an existing log of these bytes, trimmed when it is long.
#include <string>

#include "core/errorlog.h"
#include "harness.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  const std::string log = LogFilePath();
  fuzz::WriteBytes(log, data, size);
  const std::string entry = "An error has occurred in 'Fuzz'. Error = fuzz\r\n";
  WriteLog(log, entry.substr(0, entry.size() - 2));
  const std::string after = qm::ReadFileBytes(log);
  fuzz::Expect(after.size() >= entry.size() && after.compare(after.size() - entry.size(), entry.size(), entry) == 0,
               "the entry is the last line");
  return 0;
}
