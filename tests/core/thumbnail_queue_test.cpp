// Decoding ahead on worker threads: who goes first, how much memory the decodes in
// hand may take, and what a stop keeps.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "core/thumbnail_queue.h"
#include "support/crafted_jpeg.h"
#include "support/pictures.h"
#include "support/temp_archive.h"

namespace {

using namespace std::chrono_literals;

QImage Grain(int w, int h, unsigned seed) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      line[x] = qRgb(int(seed >> 24), 120, int((seed >> 16) & 255));
    }
  }
  return img;
}

class ThumbnailQueueTest : public TempArchive {
protected:
  std::string Picture(const std::string& name, int w, int h, bool progressive = false) {
    Write("Photos/" + name, JpegBytes(Grain(w, h, unsigned(w * 31 + h)), progressive));
    return Path("Photos/" + name);
  }
  static void WaitAll(ThumbnailQueue& q, int n) {
    for (int k = 1; k <= n; ++k) ASSERT_TRUE(q.WaitFor(k, 20s)) << k;
  }
};

TEST_F(ThumbnailQueueTest, TheNextItemGoesFirstThenTheLargestFiles) {
  ThumbnailQueue q(1);
  const int sides[] = {200, 900, 300, 1200, 600, 100};
  std::vector<std::pair<std::uintmax_t, int>> bySize;
  for (int k = 1; k <= 6; ++k) {
    const std::string path = Picture("p" + std::to_string(k) + ".jpg", sides[k - 1], sides[k - 1] * 3 / 4);
    q.Submit(k, path);
    if (k != 2) bySize.emplace_back(std::filesystem::file_size(path), k);
  }
  q.SetNext(2);
  q.Start();
  WaitAll(q, 6);
  std::sort(bySize.rbegin(), bySize.rend());
  std::vector<int> want{2};
  for (const auto& [bytes, k] : bySize) want.push_back(k);
  EXPECT_EQ(q.StartOrder(), want);
  for (int k = 1; k <= 6; ++k) {
    const ThumbnailPicture p = q.Take(k);
    EXPECT_TRUE(p.loaded) << k;
    EXPECT_EQ(p.box, QSize(100, 75)) << k;
  }
}

TEST_F(ThumbnailQueueTest, DecodesInHandStayWithinTheBudgetAndALargerOneIsNotStarted) {
  // Progressive 2000 x 1500 holds about 9 MB of coefficients; a 3000 x 3000 PNG
  // would take 36 MB.
  constexpr std::int64_t kBudget = std::int64_t(24) << 20;
  ThumbnailQueue q(8, kBudget, std::int64_t(1) << 20);
  const int n = 12;
  for (int k = 1; k < n; ++k) q.Submit(k, Picture("p" + std::to_string(k) + ".jpg", 2000, 1500 - k, true));
  QImage png(3000, 3000, QImage::Format_RGB32);
  png.fill(Qt::red);
  Write("Photos/big.png", EncodedImage(png, "PNG"));
  q.Submit(n, Path("Photos/big.png"));
  q.Start();
  for (int k = 1; k <= n; ++k) {
    q.SetNext(k);
    ASSERT_TRUE(q.WaitFor(k, 20s)) << k;
    const ThumbnailPicture p = q.Take(k);
    EXPECT_EQ(p.loaded, k != n) << k;
    EXPECT_EQ(p.tooLarge, k == n) << k;
  }
  EXPECT_GT(q.PeakBytes(), 9 << 20);
  EXPECT_LE(q.PeakBytes(), kBudget + (1 << 20) + 8 * 100 * 100 * 4);
  EXPECT_EQ(q.StartOrder().size(), size_t(n));
}

TEST_F(ThumbnailQueueTest, AStopKeepsOnlyTheItemInHand) {
  ThumbnailQueue q(4);
  for (int k = 1; k <= 5; ++k) q.Submit(k, Picture("p" + std::to_string(k) + ".jpg", 400, 300));
  q.SetNext(3);
  q.Stop();
  q.Submit(6, Picture("p6.jpg", 400, 300));
  q.Start();
  ASSERT_TRUE(q.WaitFor(3, 20s));
  EXPECT_TRUE(q.Take(3).loaded);
  for (int k : {1, 2, 4, 5, 6}) {
    EXPECT_TRUE(q.WaitFor(k, 0ms)) << "nothing left to wait for";
    EXPECT_FALSE(q.Take(k).loaded) << k;
  }
  EXPECT_EQ(q.StartOrder(), std::vector<int>{3});
}

}  // namespace
