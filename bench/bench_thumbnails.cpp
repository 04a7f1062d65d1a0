// Thumbnails of 200 camera-sized JPEGs (4000 x 3000) through the thumbnail window,
// against vipsthumbnail making 100-pixel thumbnails of the same files.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <QApplication>
#include <QThread>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/modquillmont.h"
#include "core/thumbnail_maker.h"
#include "intake/frmThumbnail.h"

namespace {

constexpr int kPhotos = 200;
constexpr int kWidth = 4000, kHeight = 3000;

std::vector<std::string> gList{""};
std::string gVipsOut;

std::string PhotoName(int i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "DSC_%04d.jpg", i);
  return buf;
}

void BuildPhotos() {
  const int threads = std::max(1, QThread::idealThreadCount());
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back([t, threads] {
      for (int i = t; i < kPhotos; i += threads) {
        const std::string name = PhotoName(i);
        WriteBenchFile(PhotosFolder + name, CameraJpeg(i));
        WriteBenchFile(InfoFolder + name + ".info", "PhotoPath=\\Photos\\" + name + "\r\nTITLE=\r\n");
      }
    });
  for (auto& t : pool) t.join();
  std::uintmax_t bytes = 0;
  for (int i = 0; i < kPhotos; ++i) {
    gList.push_back(PhotoName(i));
    bytes += std::filesystem::file_size(PhotosFolder + PhotoName(i));
  }
  std::printf("%d photos of %dx%d, %.1f MB each on average\n", kPhotos, kWidth, kHeight,
              double(bytes) / kPhotos / 1e6);
}

void BM_ThumbnailWindow(benchmark::State& state) {
  for (auto _ : state) {
    frmThumbnail::Get().SetMissingList(gList);
    frmThumbnail::Get().exec();
  }
  state.counters["photos_per_s"] = benchmark::Counter(kPhotos, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ThumbnailWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One picture at a time on one thread: what a core does without the pipeline.
void BM_OnePictureOneThread(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    ThumbnailPicture p = LoadThumbnailPicture(PhotosFolder + PhotoName(i++ % kPhotos));
    benchmark::DoNotOptimize(p);
  }
  state.counters["photos_per_s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_OnePictureOneThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);

void BM_Vipsthumbnail(benchmark::State& state) {
  if (std::system("command -v vipsthumbnail >/dev/null 2>&1") != 0) {
    state.SkipWithError("vipsthumbnail is not installed (Debian package libvips-tools)");
    return;
  }
  std::string cmd = "vipsthumbnail -s 100 -o '" + gVipsOut + "/%s.jpg'";
  for (int i = 0; i < kPhotos; ++i) cmd += " '" + PhotosFolder + PhotoName(i) + "'";
  for (auto _ : state) {
    if (std::system(cmd.c_str()) != 0) {
      state.SkipWithError("vipsthumbnail failed");
      return;
    }
  }
  state.counters["photos_per_s"] = benchmark::Counter(kPhotos, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Vipsthumbnail)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ScratchArchive archive;
  gVipsOut = archive.Dir() + "/vips";
  std::filesystem::create_directories(gVipsOut);
  BuildPhotos();

  return RunBenchmarks(argc, argv);
}
