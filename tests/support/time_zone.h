#pragma once
// Runs the rest of a scope under a time zone of its own, then puts the old one back.
#include <cstdlib>
#include <ctime>
#include <string>

class TimeZone {
public:
  explicit TimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old, had_ = true;
    ::setenv("TZ", tz, 1);
    ::tzset();
  }
  ~TimeZone() {
    if (had_)
      ::setenv("TZ", old_.c_str(), 1);
    else
      ::unsetenv("TZ");
    ::tzset();
  }
  TimeZone(const TimeZone&) = delete;
  TimeZone& operator=(const TimeZone&) = delete;

  // Central European rules written out, so no time-zone database is needed.
  static constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

private:
  std::string old_;
  bool had_ = false;
};
