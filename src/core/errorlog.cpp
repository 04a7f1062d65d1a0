#include "core/errorlog.h"

#include <cstdio>
#include <ctime>
#include <deque>
#include <optional>
#include <vector>

#include "core/modquillmont.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {

constexpr std::int64_t kLogLimit = 80000;
constexpr size_t kTrimChars = 10000;
// The most of one message an entry holds, in bytes.
constexpr size_t kMaxEntry = 4096;

std::tm LocalTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

// Keeps the first line, drops lines until they add up to the trim amount, keeps the
// rest byte for byte (an entry of several lines, or lines ended by LF alone, stay
// as they were); written whole beside the log and renamed over it. The log is read
// a line at a time and only what stays is held, so a log grown to gigabytes (one
// without line ends, say) is trimmed within the limit too: of its rest only the
// last whole lines that fit stay, and a first line longer than an entry keeps its
// start alone.
void TrimLog(const std::string& LogFile) {
  std::optional<std::string> first;
  size_t dropped = 0, kept = 0;
  std::deque<std::string> rest;  // each line with its own line end
  qm::ForEachRawTextLine(
      LogFile,
      [&](const std::string& line, const char* end, bool cut) {
        if (!first) {
          first = line.substr(0, kMaxEntry) + end;
        } else if (dropped < kTrimChars) {
          dropped += line.size();  // line ends not counted; a cut line is longer still
        } else if (cut) {
          // Longer than the log may be: neither it nor any line before it stays.
          rest.clear();
          kept = 0;
        } else {
          kept += rest.emplace_back(line + end).size();
          while (kept > size_t(kLogLimit) - first->size()) {
            kept -= rest.front().size();
            rest.pop_front();
          }
        }
        return true;
      },
      size_t(kLogLimit));
  if (!first) return;
  std::string text = *first;
  text.reserve(text.size() + kept);
  for (const std::string& line : rest) text += line;
  qm::ReplaceFileAtomically(LogFile, text);
}

// A message naming, say, a damaged list's line of gigabytes would be as long.
std::string CappedEntry(const std::string& Msg) {
  if (Msg.size() <= kMaxEntry) return Msg;
  return Msg.substr(0, kMaxEntry) + " ... (" + std::to_string(Msg.size()) + " bytes in all)";
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
    const std::string entry = CappedEntry(Msg);
    const std::time_t now = qm::Now();
    if (qm::FileExists(LogFile) && qm::FileLen(LogFile) > kLogLimit) TrimLog(LogFile);
    // One open, never through a link; a log it makes starts with its "Created" line.
    qm::AppendFile log(LogFile);
    std::vector<std::string> lines;
    if (log.IsNew()) lines.push_back(LogCreatedStamp(now));
    lines.push_back(LogEntryStamp(now) + entry);
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
