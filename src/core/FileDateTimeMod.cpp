#include "core/FileDateTimeMod.h"

#include <cctype>
#include <ctime>
#include <vector>

#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysIn(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Reads up to maxDigits digits; false when there is none.
bool Number(const std::string& s, size_t& i, int maxDigits, int& out, int* digits = nullptr) {
  int n = 0, v = 0;
  while (i < s.size() && n < maxDigits && std::isdigit((unsigned char)s[i])) {
    v = v * 10 + (s[i] - '0');
    ++i;
    ++n;
  }
  if (digits) *digits = n;
  out = v;
  return n > 0;
}

void SkipBlanks(const std::string& s, size_t& i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
}

// Two-digit years as the runtime reads them: 00-29 this century, 30-99 the last.
int FullYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

bool ParseDate(const std::string& s, size_t& i, int& y, int& m, int& d) {
  int a, b, c, da, dc;
  if (!Number(s, i, 4, a, &da)) return false;
  if (i >= s.size() || (s[i] != '/' && s[i] != '-')) return false;
  const char sep = s[i++];
  if (!Number(s, i, 2, b)) return false;
  if (i >= s.size() || s[i] != sep) return false;
  ++i;
  if (!Number(s, i, 4, c, &dc)) return false;
  if (da == 4) {  // year first: YYYY-MM-DD or YYYY/MM/DD
    y = a;
    m = b;
    d = c;
    if (dc > 2) return false;
  } else {  // month first, as the runtime's English settings write it
    if (da > 2) return false;
    m = a;
    d = b;
    y = FullYear(c, dc);
  }
  return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysIn(y, m);
}

bool ParseTime(const std::string& s, size_t& i, int& h, int& mi, int& se) {
  h = mi = se = 0;
  if (!Number(s, i, 2, h)) return false;
  if (i >= s.size() || s[i] != ':') return false;
  ++i;
  if (!Number(s, i, 2, mi)) return false;
  if (i < s.size() && s[i] == ':') {
    ++i;
    if (!Number(s, i, 2, se)) return false;
  }
  SkipBlanks(s, i);
  if (i + 1 < s.size()) {
    const char ap = char(std::toupper((unsigned char)s[i]));
    const char m = char(std::toupper((unsigned char)s[i + 1]));
    if ((ap == 'A' || ap == 'P') && m == 'M') {
      if (h < 1 || h > 12) return false;
      h = h % 12 + (ap == 'P' ? 12 : 0);
      i += 2;
    }
  }
  return h <= 23 && mi <= 59 && se <= 59;
}

}  // namespace

bool ParseDateText(const std::string& DateText, std::int64_t& seconds) {
  size_t i = 0;
  SkipBlanks(DateText, i);
  int y, m, d, h = 0, mi = 0, se = 0;
  if (!ParseDate(DateText, i, y, m, d)) return false;
  SkipBlanks(DateText, i);
  if (i < DateText.size() && !ParseTime(DateText, i, h, mi, se)) return false;
  SkipBlanks(DateText, i);
  if (i != DateText.size()) return false;

  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = m - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = se;
  tm.tm_isdst = -1;  // the C library decides from its own time-zone rules
  tm.tm_wday = -1;   // mktime sets it on success; -1 is also a valid time
  const std::time_t t = std::mktime(&tm);
  if (tm.tm_wday < 0) return false;
  seconds = std::int64_t(t);
  return true;
}

std::string FileDateText(const std::string& FileName) {
  try {
    const std::time_t t = std::time_t(qm::FileDateTime(FileName));
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return "";
    char buf[32];
    std::strftime(buf, sizeof buf, "%m/%d/%Y %H:%M:%S", &tm);
    return buf;
  } catch (const qm::RuntimeError&) {
    return "";
  }
}

bool SetFileDateTime(const std::string& FileName, const std::string& DateText) {
  if (FileName.empty() || !qm::FileExists(FileName)) return false;
  std::int64_t seconds = 0;
  if (!ParseDateText(DateText, seconds)) return false;
  return qm::SetFileModified(FileName, seconds);
}
