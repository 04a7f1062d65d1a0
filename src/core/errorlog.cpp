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

// Where the line starting at pos ends, and where the next one starts; CR LF, LF and
// a lone CR each end a line.
void NextLine(const std::string& text, size_t pos, size_t& end, size_t& next) {
  end = text.find_first_of("\r\n", pos);
  if (end == std::string::npos) {
    end = next = text.size();
    return;
  }
  next = end + 1;
  if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
}

// Keeps the first line, drops lines until they add up to the trim amount, keeps the
// rest byte for byte (an entry of several lines, or lines ended by LF alone, stay
// as they were); written whole beside the log and renamed over it.
void TrimLog(const std::string& LogFile) {
  const std::string text = qm::ReadFileBytes(LogFile);
  if (text.empty()) return;
  size_t end = 0, pos = 0;
  NextLine(text, 0, end, pos);
  const size_t firstEnd = pos;
  size_t total = 0;
  while (pos < text.size() && total < kTrimChars) {
    size_t next = 0;
    NextLine(text, pos, end, next);
    total += end - pos;
    pos = next;
  }
  qm::ReplaceFileAtomically(LogFile, text.substr(0, firstEnd) + text.substr(pos));
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
    if (qm::FileExists(LogFile) && qm::FileLen(LogFile) > kLogLimit) TrimLog(LogFile);
    // One open, never through a link; a log it makes starts with its "Created" line.
    qm::AppendFile log(LogFile);
    std::vector<std::string> lines;
    if (log.IsNew()) lines.push_back(LogCreatedStamp(now));
    lines.push_back(LogEntryStamp(now) + Msg);
    log.Append(lines);
    log.Close();
  } catch (...) {
    // The log is the last resort: a failure here is dropped and the caller goes on.
  }
}

void LogError(const std::string& procName, const std::string& description) {
  WriteLog(LogFilePath(), "An error has occurred in '" + procName + "'. Error = " + description);
}

void LogError(const std::string& procName, const qm::RuntimeError& e) { LogError(procName, e.Description()); }
