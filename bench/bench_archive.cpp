// Start-up passes over an archive of 10,000 photos with ten groups of 1,000 entries,
// against a yardstick that only opens, reads and closes the same information files.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "core/groupcleanup.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/files.h"

namespace {

constexpr int kPhotos = 10000;
constexpr int kGroups = 10;
constexpr int kGroupSize = 1000;
constexpr int kGoneInGroup = 10;  // entries whose photo was set aside, dropped by every pass

std::vector<std::string> gInfoNames;
std::vector<std::string> gGroupTexts;

std::string PhotoName(int i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "IMG_%05d.jpg", i);
  return buf;
}

std::string GroupPath(int g) { return SlideGroupsFolder + "Group " + std::to_string(g) + ".lst"; }

void BuildArchive() {
  const std::string photoBytes(2048, '\xd8');
  for (int i = 0; i < kPhotos; ++i) {
    const std::string name = PhotoName(i);
    WriteBenchFile(PhotosFolder + name, photoBytes);
    WriteBenchFile(InfoFolder + name + ".info",
              "PhotoPath=\\Photos\\" + name + "\r\nTITLE=Photo " + std::to_string(i) +
                  "\r\nPHOTOGRAPHER=Ann\r\nYEAR=2001\r\nPEOPLE=\r\nPLACE=Lake\r\nEVENT=Summer\r\n"
                  "KEYWORDS=water, boat\r\nImageWidth=1600\r\nImageHeight=1200\r\n");
    gInfoNames.push_back(name + ".info");
  }
  for (int g = 0; g < kGroups; ++g) {
    std::string text;
    for (int k = 0; k < kGroupSize; ++k) {
      text += PhotoName(g * kGroupSize + k) + "\r\n";
      if (k % (kGroupSize / kGoneInGroup) == 0) text += "gone_" + std::to_string(g) + "_" + std::to_string(k) + ".jpg\r\n";
    }
    gGroupTexts.push_back(text);
    WriteBenchFile(GroupPath(g), text);
  }
}

void RestoreGroups() {
  for (int g = 0; g < kGroups; ++g) WriteBenchFile(GroupPath(g), gGroupTexts[size_t(g)]);
}

void BM_Yardstick_OpenReadCloseInfoFiles(benchmark::State& state) {
  char buf[4096];
  for (auto _ : state) {
    size_t total = 0;
    for (const std::string& name : gInfoNames) {
      FILE* f = std::fopen((InfoFolder + name).c_str(), "rb");
      if (!f) continue;
      while (size_t n = std::fread(buf, 1, sizeof buf, f)) total += n;
      std::fclose(f);
    }
    benchmark::DoNotOptimize(total);
  }
}

void BM_Create_AllPhotos_Group(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Create_AllPhotos_Group(kAllPhotosFile));
}

void BM_RemoveMissingPhotosFromGroup(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    RestoreGroups();
    state.ResumeTiming();
    RemoveMissingPhotosFromGroup();
  }
}

void BM_GetPhotoLink(benchmark::State& state) {
  for (auto _ : state) {
    size_t total = 0;
    for (const std::string& name : gInfoNames) total += GetPhotoLink(name).size();
    benchmark::DoNotOptimize(total);
  }
}

BENCHMARK(BM_Yardstick_OpenReadCloseInfoFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Create_AllPhotos_Group)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveMissingPhotosFromGroup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetPhotoLink)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ScratchArchive archive;
  BuildArchive();

  return RunBenchmarks(argc, argv);
}
