#include "archive/errorlog.h"

#include <ctime>
#include <vector>

#include "archive/modquillmont.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {

constexpr std::int64_t kLogLimit = 80000;
constexpr size_t kTrimChars = 10000;

std::string Format(std::time_t t, const char* fmt) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[64];
  std::strftime(buf, sizeof buf, fmt, &tm);
  return buf;
}

// Keeps the first line, drops lines until they add up to the trim amount, keeps the
// rest; written whole beside the log and renamed over it.
void TrimLog(const std::string& LogFile) {
  const std::vector<std::string> lines = qm::ReadTextLines(LogFile);
  std::vector<std::string> kept;
  if (lines.empty()) return;
  kept.push_back(lines[0]);
  size_t i = 1, total = 0;
  while (i < lines.size() && total < kTrimChars) total += lines[i++].size();
  kept.insert(kept.end(), lines.begin() + std::ptrdiff_t(i), lines.end());
  qm::WriteTextLinesAtomically(LogFile, kept);
}

}  // namespace

std::string LogCreatedStamp(std::time_t t) { return "Created " + Format(t, "%m/%d/%y %H:%M"); }
std::string LogEntryStamp(std::time_t t) { return Format(t, "%m/%d/%y  %I:%M:%S%p: "); }

std::string LogFilePath() { return RootFolder + "/Quillmont.Log"; }

void WriteLog(const std::string& LogFile, const std::string& Msg) {
  try {
    const std::time_t now = qm::Now();
    if (!qm::IsNormalFile(LogFile)) qm::WriteTextLinesAtomically(LogFile, {LogCreatedStamp(now)});
    if (qm::FileLen(LogFile) > kLogLimit) TrimLog(LogFile);
    qm::AppendTextLines(LogFile, {LogEntryStamp(now) + Msg});
  } catch (const qm::RuntimeError&) {
    // The log is the last resort: a failure here is dropped and the caller goes on.
  }
}

void LogError(const std::string& procName, const std::string& description) {
  WriteLog(LogFilePath(), "An error has occurred in '" + procName + "'. Error = " + description);
}

void LogError(const std::string& procName, const qm::RuntimeError& e) { LogError(procName, e.Description()); }
