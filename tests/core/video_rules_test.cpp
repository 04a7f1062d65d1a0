// Lengths, bar positions and replays of video clips, halves rounded to even.
#include <gtest/gtest.h>

#include "core/video_rules.h"

using namespace video;

TEST(VideoRules, LengthsAndBarMaximaRoundHalvesToEven) {
  struct Case {
    double seconds;
    const char* caption;
    int barMax;
  };
  for (const Case& c : {Case{10.4, "10.4 sec", 10}, Case{2.25, "2.2 sec", 2}, Case{2.5, "2.5 sec", 2},
                        Case{3.5, "3.5 sec", 4}, Case{7.0, "7 sec", 7}, Case{12.34, "12.3 sec", 12},
                        Case{0.0, "0 sec", 0}, Case{123456.7, "123456.7 sec", 123457}}) {
    const double length = ClipLength(c.seconds);
    EXPECT_EQ(LengthCaption(length), c.caption) << c.seconds;
    EXPECT_EQ(BarMaximum(length), c.barMax) << c.seconds;
  }
  EXPECT_DOUBLE_EQ(RoundHalfEven(0.375, 2), 0.38);
  EXPECT_DOUBLE_EQ(RoundHalfEven(0.125, 2), 0.12);
}

TEST(VideoRules, PlayStartsAgainAtTheEndAndResumesElsewhere) {
  struct Case {
    double position;
    bool again;
  };
  for (const Case& c : {Case{9.5, true}, Case{10.4, true}, Case{9.4, false}, Case{0, false}, Case{5.2, false}})
    EXPECT_EQ(ReplayFrom(c.position, 0, 10.4).has_value(), c.again) << c.position;
  EXPECT_EQ(ReplayFrom(10.4, 0, 10.4), 0.0);
  // A position before the start goes to the start.
  EXPECT_EQ(ReplayFrom(1.0, 3.0, 10.4), 3.0);
}

TEST(VideoRules, DragsStayInsideTheClip) {
  EXPECT_EQ(ClampSeek(-3, 10.4), 0);
  EXPECT_EQ(ClampSeek(4, 10.4), 4);
  EXPECT_EQ(ClampSeek(11, 10.4), 10);
  EXPECT_EQ(ClampSeek(3, 2.5), 2);
}

TEST(VideoRules, ThePollNeverPutsTheBarAtItsMaximum) {
  EXPECT_EQ(PolledBarValue(4.6, 10), 5);
  EXPECT_EQ(PolledBarValue(9.994, 10), 10);  // 9.99 is below the maximum, shown as 10
  EXPECT_EQ(PolledBarValue(9.996, 10), std::nullopt);  // rounds to 10.00
  EXPECT_EQ(PolledBarValue(10.4, 10), std::nullopt);
  EXPECT_EQ(PolledBarValue(0, 0), std::nullopt);
}
