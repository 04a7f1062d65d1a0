// Decoding ahead on worker threads: who goes first, how much memory the decodes in
// hand may take, and what a stop keeps.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/thumbnail_budget.h"
#include "core/thumbnail_queue.h"
#include "support/crafted_jpeg.h"
#include "support/jpeg_writer.h"
#include "support/pictures.h"
#include "support/temp_archive.h"
#include "support/wmf_pictures.h"
#include "wmf/wmf_render.h"

namespace {

using namespace std::chrono_literals;

constexpr std::int64_t kTestBudget = std::int64_t(160) << 20;

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
  ThumbnailQueue q(1, kTestBudget);
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

TEST_F(ThumbnailQueueTest, DecodesInHandStayWithinTheBudgetAndOversizedOnesDecodeAlone) {
  // Small pictures around four whose decode alone takes more than the budget: a
  // progressive JPEG with colour at full size, a progressive panorama, a PNG of
  // sixteen bits a channel and a plain PNG; the last PNG is over the alone limit.
  constexpr std::int64_t kBudget = std::int64_t(8) << 20, kAlone = std::int64_t(64) << 20;
  ThumbnailQueue q(8, kBudget, std::int64_t(1) << 20, kAlone);
  const auto png = [&](const std::string& name, QImage img) {
    Write("Photos/" + name, EncodedImage(img, "PNG"));
    return Path("Photos/" + name);
  };
  std::map<int, std::string> paths;
  const std::set<int> oversized{3, 7, 8, 12};
  const int refused = 14, n = 16;
  paths[3] = Path("Photos/full.jpg");
  Write("Photos/full.jpg", LibjpegBytes(Grain(2400, 1600, 5), {.progressive = true, .fullColour = true}));
  paths[7] = Picture("wide.jpg", 4000, 1000, true);
  paths[8] = png("deep.png", Grain(1600, 1200, 6).convertToFormat(QImage::Format_RGBA64));
  paths[12] = png("plain.png", Grain(2000, 1000, 7));
  paths[refused] = png("huge.png", QImage(4500, 4000, QImage::Format_RGB32));
  std::int64_t largest = 0;
  for (int k = 1; k <= n; ++k) {
    if (!paths.count(k)) paths[k] = Picture("p" + std::to_string(k) + ".jpg", 400, 300 - k);
    const std::int64_t bytes = PlanThumbnail(paths[k]).bytes;
    EXPECT_EQ(bytes > kBudget, oversized.count(k) + (k == refused) > 0) << k;
    if (k != refused) largest = std::max(largest, bytes);
    q.Submit(k, paths[k]);
  }
  q.Start();
  for (int k = 1; k <= n; ++k) {
    q.SetNext(k);
    ASSERT_TRUE(q.WaitFor(k, 20s)) << k;
    const ThumbnailPicture p = q.Take(k);
    EXPECT_EQ(p.loaded, k != refused) << k;
    EXPECT_EQ(p.tooLarge, k == refused) << k;
    if (p.loaded) {
      EXPECT_NE(p.picture.pixelColor(40, 20), p.picture.pixelColor(41, 20)) << "grain shows: " << k;
    }
  }
  // Never two oversized at once, nor one beside others.
  EXPECT_GT(q.PeakBytes(), std::int64_t(20) << 20);
  EXPECT_LE(q.PeakBytes(), std::max(kBudget, largest) + 16 * 100 * 100 * 4);
  EXPECT_EQ(q.StartOrder().size(), size_t(n));
}

TEST_F(ThumbnailQueueTest, AStopKeepsOnlyTheItemInHand) {
  ThumbnailQueue q(4, kTestBudget);
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

TEST_F(ThumbnailQueueTest, WmfHelpersCountAtTheirMemoryLimitsWithinTheBudget) {
  // A helper that notes its arguments while it runs, then fails: the memory it is
  // given is its first argument of a megabyte or more, its processor time the next.
  const std::string log = Path("helpers.log");
  Write("helper.sh", "#!/bin/sh\necho \"+ $*\" >> '" + log + "'\nsleep 0.2\necho \"- $*\" >> '" + log +
                         "'\nexit 1\n");
  std::filesystem::permissions(Path("helper.sh"), std::filesystem::perms::owner_all);
  wmf::SetHelperProgram(Path("helper.sh"));
  ThumbnailQueue q(8, kThumbnailBudgetFloor);
  for (int k = 1; k <= 16; ++k) {
    // Placeable ones are drawn, plain ones need a helper for their size.
    Write("Photos/p" + std::to_string(k) + ".wmf", k % 2 ? SamplePlaceable() : SampleDrawing().Plain());
    q.Submit(k, Path("Photos/p" + std::to_string(k) + ".wmf"));
  }
  q.Start();
  WaitAll(q, 16);
  wmf::SetHelperProgram("");
  std::ifstream in(log);
  std::string line;
  std::int64_t held = 0, peak = 0;
  int runs = 0, atOnce = 0, mostAtOnce = 0;
  std::set<std::string> seconds;
  while (std::getline(in, line)) {
    std::istringstream words(line.substr(2));
    std::string w;
    while (words >> w && !(w.find_first_not_of("0123456789") == std::string::npos && std::stoll(w) >= 1 << 20)) {
    }
    ASSERT_FALSE(w.empty()) << line;
    const std::int64_t memory = std::stoll(w);
    words >> w;
    seconds.insert(w);
    held += line[0] == '+' ? memory : -memory;
    atOnce += line[0] == '+' ? 1 : -1;
    runs += line[0] == '+';
    peak = std::max(peak, held);
    mostAtOnce = std::max(mostAtOnce, atOnce);
  }
  EXPECT_EQ(runs, 16);
  EXPECT_LE(peak, kThumbnailBudgetFloor) << mostAtOnce << " at once";
  EXPECT_GE(mostAtOnce, 2);
  // No one waits on the builder: a slow file is given its ten seconds.
  EXPECT_EQ(seconds, std::set<std::string>{"11"});
}

TEST(ThumbnailBudget, AShareOfTheMachineBetweenFloorAndCeiling) {
  constexpr std::int64_t MB = 1 << 20, GB = std::int64_t(1) << 30;
  EXPECT_EQ(ThumbnailDecodeBudgetFor(-1), kThumbnailBudgetFloor);
  EXPECT_EQ(ThumbnailDecodeBudgetFor(1 * GB), kThumbnailBudgetFloor);
  EXPECT_EQ(ThumbnailDecodeBudgetFor(3 * GB), 256 * MB);
  // A machine of 8 GB or more: 512 to 768 MB.
  for (std::int64_t memory : {7800 * MB, 8 * GB, 23 * GB, 256 * GB}) {
    EXPECT_GE(ThumbnailDecodeBudgetFor(memory), 512 * MB) << memory;
    EXPECT_LE(ThumbnailDecodeBudgetFor(memory), 768 * MB) << memory;
  }
}

}  // namespace
