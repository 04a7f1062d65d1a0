#include "core/video_rules.h"

#include <cmath>
#include <sstream>

namespace video {

double RoundHalfEven(double x, int decimals) {
  const double scale = std::pow(10.0, decimals);
  // nearbyint follows the rounding mode, which is to nearest, ties to even.
  return std::nearbyint(x * scale) / scale;
}

double ClipLength(double seconds) { return RoundHalfEven(seconds, 1); }

std::string LengthCaption(double length) {
  std::ostringstream out;
  out.precision(15);
  out << RoundHalfEven(length, 1) << " sec";
  return out.str();
}

int BarMaximum(double length) { return int(RoundHalfEven(length, 0)); }

std::optional<double> ReplayFrom(double position, double startPos, double length) {
  if (RoundHalfEven(position, 0) < RoundHalfEven(startPos, 0)) return startPos;
  if (RoundHalfEven(position, 0) == RoundHalfEven(length, 0)) return startPos;
  return std::nullopt;
}

int ClampSeek(int seconds, double length) {
  if (seconds < 0) return 0;
  if (seconds > length) return BarMaximum(length);
  return seconds;
}

std::optional<int> PolledBarValue(double position, int barMaximum) {
  const double p = RoundHalfEven(position, 2);
  if (p < barMaximum) return int(RoundHalfEven(p, 0));
  return std::nullopt;
}

}  // namespace video
