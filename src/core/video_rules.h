#pragma once
// The arithmetic of the video controls: lengths, bar positions and when a replay
// starts again, all in seconds, rounded with halves to even.
#include <optional>
#include <string>

namespace video {

// x rounded to the given number of decimal places, halves to even.
double RoundHalfEven(double x, int decimals);
// A clip's length as kept: one decimal place.
double ClipLength(double seconds);
// "10.4 sec", "7 sec".
std::string LengthCaption(double length);
// The position bar's maximum for a length, in whole seconds.
int BarMaximum(double length);
// Where "play" seeks before it runs: the start position when the clip stands
// before it or within about half a second of its end, nothing otherwise.
std::optional<double> ReplayFrom(double position, double startPos, double length);
// A drag of the bar as a position inside the clip.
int ClampSeek(int seconds, double length);
// The bar value a poll shows for a position, nothing when the position has
// reached the bar's maximum.
std::optional<int> PolledBarValue(double position, int barMaximum);

}  // namespace video
