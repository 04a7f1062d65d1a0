// First frames of clips through the media framework, with no sound device.
#include <gtest/gtest.h>

#include <QPainter>

#include "media/video_frame.h"
#include "support/mjpeg_avi.h"
#include "support/temp_archive.h"

namespace {
constexpr std::int64_t kBudget = std::int64_t(64) << 20;
}

class VideoFrameTest : public TempArchive {};

TEST_F(VideoFrameTest, GrabsTheFirstFrameNotALaterOne) {
  QImage first(160, 120, QImage::Format_RGB32), later(160, 120, QImage::Format_RGB32);
  first.fill(Qt::red);
  later.fill(Qt::blue);
  std::vector<QImage> frames{first};
  for (int i = 0; i < 19; ++i) frames.push_back(later);
  Write("Photos/clip.avi", MjpegAviBytes(frames, 20));

  const QImage f = GrabFirstFrame(Path("Photos/clip.avi"), 5000, kBudget);
  ASSERT_FALSE(f.isNull());
  EXPECT_EQ(f.size(), QSize(160, 120));
  EXPECT_GT(qRed(f.pixel(80, 60)), 200);
  EXPECT_LT(qBlue(f.pixel(80, 60)), 60);
  // A frame larger than the budget it is given is not taken.
  EXPECT_TRUE(GrabFirstFrame(Path("Photos/clip.avi"), 5000, 160 * 120 * 4 - 1).isNull());
}

TEST_F(VideoFrameTest, NoFrameFromMissingOrBrokenClips) {
  Write("Photos/broken.avi", "RIFF....AVI junk");
  EXPECT_TRUE(GrabFirstFrame(Path("Photos/missing.avi"), 3000, kBudget).isNull());
  EXPECT_TRUE(GrabFirstFrame(Path("Photos/broken.avi"), 3000, kBudget).isNull());
  EXPECT_TRUE(GrabFirstFrame("", 3000, kBudget).isNull());
}
