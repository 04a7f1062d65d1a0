// The start-up's thumbnails of a camera-like corpus (bench/support/photo_corpus.h)
// through the thumbnail window, against vipsthumbnail making 100-pixel thumbnails
// of the same files in as many parallel processes as there are cores. The goals:
// the window takes at most 0.67 of the yardstick's time, and holds less than 1 GiB
// and less than the vips processes together at their peak.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/bench_env.h"
#include "support/photo_corpus.h"
#include "support/rss_watch.h"

#include <QThread>
#include <algorithm>
#include <chrono>
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

std::vector<std::string> gList{""};
std::string gVipsOut;
std::string gVipsList;
double gOursSeconds = 0, gVipsSeconds = 0;
long gOursPeakMb = 0, gIdleMb = 0, gVipsPeakMb = 0;

std::string PhotoName(int i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "DSC_%04d.jpg", i);
  return buf;
}

// In a child process, so that none of the generators' memory stays with the
// process that is measured.
void GeneratePhotos() {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    std::perror("fork");
    std::exit(1);
  }
  if (child > 0) {
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "the corpus could not be made\n");
      std::exit(1);
    }
    return;
  }
  const int threads = std::max(1, QThread::idealThreadCount());
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back([t, threads] {
      for (int i = t; i < kPhotos; i += threads) {
        const std::string name = PhotoName(i);
        WriteBenchFile(PhotosFolder + name, CorpusJpeg(i));
        WriteBenchFile(InfoFolder + name + ".info", "PhotoPath=\\Photos\\" + name + "\r\nTITLE=\r\n");
      }
    });
  for (auto& t : pool) t.join();
  std::_Exit(0);
}

void BuildPhotos() {
  GeneratePhotos();
  std::uintmax_t bytes = 0, smallest = ~std::uintmax_t(0), largest = 0;
  int progressive = 0, fullColour = 0;
  double pixels = 0;
  std::string files;
  for (int i = 0; i < kPhotos; ++i) {
    gList.push_back(PhotoName(i));
    const std::uintmax_t b = std::filesystem::file_size(PhotosFolder + PhotoName(i));
    bytes += b;
    smallest = std::min(smallest, b);
    largest = std::max(largest, b);
    const CorpusPhoto p = CorpusPhotoAt(i);
    progressive += p.progressive ? 1 : 0;
    fullColour += p.fullColour ? 1 : 0;
    pixels += double(p.size.width()) * p.size.height();
    files += PhotosFolder + PhotoName(i) + '\n';
  }
  WriteBenchFile(gVipsList, files);
  std::printf("%d photos, %.1f MP and %.1f MB on average (%.1f to %.1f MB), %d progressive (%d of them 4:4:4)\n",
              kPhotos, pixels / kPhotos / 1e6, double(bytes) / kPhotos / 1e6, double(smallest) / 1e6,
              double(largest) / 1e6, progressive, fullColour);
}

void BM_ThumbnailWindow(benchmark::State& state) {
  long peak = 0;
  for (auto _ : state) {
    // Each round builds every thumbnail afresh.
    std::filesystem::remove_all(ThumbnailsFolder);
    std::filesystem::create_directories(ThumbnailsFolder);
    const long before = SelfRssMb();
    const auto start = std::chrono::steady_clock::now();
    {
      RssWatch watch;
      frmThumbnail::Get().SetMissingList(gList);
      frmThumbnail::Get().exec();
      peak = std::max(peak, watch.Peak());
      if (gIdleMb == 0) gIdleMb = before;
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    gOursSeconds = gOursSeconds == 0 ? s : std::min(gOursSeconds, s);
  }
  gOursPeakMb = peak;
  state.counters["photos_per_s"] = benchmark::Counter(kPhotos, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["peak_rss_MB"] = double(peak);
}
BENCHMARK(BM_ThumbnailWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The yardstick: vipsthumbnail in nproc parallel processes, eight files each.
void BM_VipsthumbnailParallel(benchmark::State& state) {
  if (std::system("command -v vipsthumbnail >/dev/null 2>&1") != 0) {
    state.SkipWithError("vipsthumbnail is not installed (Debian package libvips-tools)");
    return;
  }
  const std::string cmd = "xargs -P \"$(nproc)\" -n 8 -d '\\n' vipsthumbnail -s 100 -o '" + gVipsOut +
                          "/%s.jpg' < '" + gVipsList + "'";
  long peak = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    {
      RssWatch watch([] { return ProcessesRssMb("vipsthumbnail"); });
      if (std::system(cmd.c_str()) != 0) {
        state.SkipWithError("vipsthumbnail failed");
        return;
      }
      peak = std::max(peak, watch.Peak());
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    gVipsSeconds = gVipsSeconds == 0 ? s : std::min(gVipsSeconds, s);
  }
  gVipsPeakMb = peak;
  state.counters["photos_per_s"] = benchmark::Counter(kPhotos, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["summed_peak_rss_MB"] = double(peak);
}
BENCHMARK(BM_VipsthumbnailParallel)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

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

}  // namespace

int main(int argc, char** argv) {
  OffscreenBench archive(argc, argv);
  gVipsOut = archive.Dir() + "/vips";
  gVipsList = archive.Dir() + "/vips-files.txt";
  std::filesystem::create_directories(gVipsOut);
  BuildPhotos();

  const int rc = RunBenchmarks(argc, argv);
  if (gOursSeconds > 0)
    std::printf("thumbnail window: %.1f photos/s, resident %ld MB at most (goal under 1024 MB), %ld MB before "
                "the first round, decode budget %lld MB\n",
                kPhotos / gOursSeconds, gOursPeakMb, gIdleMb, (long long)(ThumbnailDecodeBudget() >> 20));
  if (gVipsSeconds > 0)
    std::printf("vipsthumbnail x %d processes: %.1f photos/s, %ld MB resident at most, all processes summed\n",
                QThread::idealThreadCount(), kPhotos / gVipsSeconds, gVipsPeakMb);
  if (gOursSeconds > 0 && gVipsSeconds > 0)
    std::printf("time ratio %.2f (goal 0.67 or less); peak %ld MB against vips's %ld MB (goal: lower)\n",
                gOursSeconds / gVipsSeconds, gOursPeakMb, gVipsPeakMb);
  return rc;
}
