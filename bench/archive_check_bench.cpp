// The whole start-up check over an archive of 10,000 photos with information files
// and up-to-date thumbnails, so nothing needs building: every step walks its folder
// and the all-photos group is rewritten. The splash window is up, as at start-up.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <cstdio>
#include <string>

#include "archive/archivecheck.h"
#include "archive/frmSplash.h"
#include "core/modquillmont.h"
#include "platform/files.h"

namespace {

constexpr int kPhotos = 10000;
constexpr std::int64_t kTime = 1500000000;

void BuildArchive() {
  const std::string photoBytes(2048, '\xd8');
  const std::string thumbBytes(1024, 'B');
  for (int i = 0; i < kPhotos; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "IMG_%05d.jpg", i);
    const std::string name = buf;
    WriteBenchFile(PhotosFolder + name, photoBytes);
    WriteBenchFile(ThumbnailsFolder + name, thumbBytes);
    WriteBenchFile(InfoFolder + name + ".info",
              "PhotoPath=\\Photos\\" + name + "\r\nTITLE=Photo " + std::to_string(i) +
                  "\r\nPHOTOGRAPHER=Ann\r\nYEAR=2001\r\nPEOPLE=\r\nPLACE=Lake\r\nEVENT=Summer\r\n"
                  "KEYWORDS=water, boat\r\nImageWidth=1600\r\nImageHeight=1200\r\n");
    qm::SetFileModified(PhotosFolder + name, kTime);
    qm::SetFileModified(ThumbnailsFolder + name, kTime);
  }
}

void BM_CheckFolderContents(benchmark::State& state) {
  frmSplash::Get().show();
  for (auto _ : state) {
    BypassAutoCheck = false;
    CheckFolderContents();
  }
  frmSplash::Unload();
}

BENCHMARK(BM_CheckFolderContents)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  OffscreenBench archive(argc, argv);
  BuildArchive();

  return RunBenchmarks(argc, argv);
}
