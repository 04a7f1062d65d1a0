#include "core/errorlog.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "core/modquillmont.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {

constexpr std::int64_t kLogLimit = 80000;
constexpr size_t kTrimChars = 10000;

std::tm LocalTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
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

// Numbers only, and AM/PM spelled out: the C library's designator is empty in many
// locales, which would leave a 12-hour stamp ambiguous.
std::string LogCreatedStamp(std::time_t t) {
  const std::tm tm = LocalTime(t);
  char buf[128];
  std::snprintf(buf, sizeof buf, "Created %02d/%02d/%02d %02d:%02d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year % 100,
                tm.tm_hour, tm.tm_min);
  return buf;
}

std::string LogEntryStamp(std::time_t t) {
  const std::tm tm = LocalTime(t);
  const int hour12 = tm.tm_hour % 12 == 0 ? 12 : tm.tm_hour % 12;
  char buf[128];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%02d  %02d:%02d:%02d%s: ", tm.tm_mon + 1, tm.tm_mday, tm.tm_year % 100,
                hour12, tm.tm_min, tm.tm_sec, tm.tm_hour < 12 ? "AM" : "PM");
  return buf;
}

std::string LogFilePath() { return RootFolder + "/Quillmont.Log"; }

void WriteLog(const std::string& LogFile, const std::string& Msg) {
  try {
    const std::time_t now = qm::Now();
    if (!qm::IsNormalFile(LogFile)) qm::WriteTextLinesAtomically(LogFile, {LogCreatedStamp(now)});
    if (qm::FileLen(LogFile) > kLogLimit) TrimLog(LogFile);
    qm::AppendTextLines(LogFile, {LogEntryStamp(now) + Msg});
  } catch (...) {
    // The log is the last resort: a failure here is dropped and the caller goes on.
  }
}

void LogError(const std::string& procName, const std::string& description) {
  WriteLog(LogFilePath(), "An error has occurred in '" + procName + "'. Error = " + description);
}

void LogError(const std::string& procName, const qm::RuntimeError& e) { LogError(procName, e.Description()); }
