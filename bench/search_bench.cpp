// Searching 10,000 information files with one criterion in the search dialog (shown,
// so the times include its progress display), against a plain loop that lists the
// same folder and reads every file whole. Goal: the search within 1.5 x the loop.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <fcntl.h>
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/modquillmont.h"
#include "platform/files.h"
#include "search_export/frmSearch.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kEvery = 10;  // every tenth photo was taken at the harbour
const char* kPlaces[] = {"Brighton beach", "Lake District", "Old town square", "Mountain hut", "City park"};

std::string PhotoName(int i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "IMG_%05d.jpg", i);
  return buf;
}

void BuildArchive() {
  for (int i = 1; i <= kFiles; ++i) {
    const std::string name = PhotoName(i);
    const std::string place = i % kEvery == 0 ? "North harbour" : kPlaces[i % 5];
    WriteBenchFile(InfoFolder + name + ".info",
                   "PhotoPath=\\Photos\\" + name + "\r\nTITLE=Holiday picture " + std::to_string(i) +
                       "\r\nPHOTOGRAPHER=Ann Example\r\nYEAR=" + std::to_string(1990 + i % 20) +
                       "\r\nPEOPLE=Ann, Bob, Carl\r\nPLACE=" + place +
                       "\r\nEVENT=Summer holiday\r\nKEYWORDS=sea sand sky family\r\nImageWidth=4000\r\n"
                       "ImageHeight=3000\r\n");
  }
}

struct Measured {
  double seconds = 0;
  long runs = 0;
  double Ms() const { return runs ? seconds * 1000.0 / double(runs) : 0; }
};
Measured gSearch, gYardstick;
using Clock = std::chrono::steady_clock;

// The yardstick: list the folder, read each file whole, look for the text.
std::size_t PlainLoop(const std::string& needle) {
  std::size_t found = 0;
  char buf[16384];
  for (const std::string& name : qm::ListFiles(InfoFolder, "*.info")) {
    const int fd = ::open((InfoFolder + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    std::string text;
    for (ssize_t r; (r = ::read(fd, buf, sizeof buf)) > 0;) text.append(buf, std::size_t(r));
    ::close(fd);
    if (text.find(needle) != std::string::npos) ++found;
  }
  return found;
}

void BM_PlainReadLoop(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = Clock::now();
    const std::size_t found = PlainLoop("harbour");
    gYardstick.seconds += std::chrono::duration<double>(Clock::now() - start).count();
    ++gYardstick.runs;
    if (found != kFiles / kEvery) {
      state.SkipWithError("the loop found the wrong number");
      break;
    }
  }
}
BENCHMARK(BM_PlainReadLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchDialog(benchmark::State& state) {
  frmSearch& s = frmSearch::Get();
  s.txtPlace->setText("HARBOUR");
  const std::string expected =
      "Searched " + std::to_string(kFiles) + " (100%) -> Found " + std::to_string(kFiles / kEvery);
  for (auto _ : state) {
    const auto start = Clock::now();
    s.cmdSearch_Click();
    gSearch.seconds += std::chrono::duration<double>(Clock::now() - start).count();
    ++gSearch.runs;
    if (s.lbProgress->text().toStdString() != expected || s.SearchResults.size() != kFiles / kEvery + 1) {
      state.SkipWithError("the search found the wrong number");
      break;
    }
  }
}
BENCHMARK(BM_SearchDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  OffscreenBench archive(argc, argv);
  BuildArchive();
  frmSearch::Get().show();

  const int rc = RunBenchmarks(argc, argv);
  if (gSearch.runs && gYardstick.runs) {
    const double ratio = gSearch.Ms() / gYardstick.Ms();
    std::printf("Plain read loop over %d information files:        %8.2f ms\n", kFiles, gYardstick.Ms());
    std::printf("Search dialog, one criterion, same files:          %8.2f ms  (%.2f x; goal <= 1.5 x: %s)\n",
                gSearch.Ms(), ratio, ratio <= 1.5 ? "met" : "MISSED");
  }
  return rc;
}
