// The import dialog's two long operations on real files:
// - the auto-scan of a tree of 20,000 files in 2,000 folders, with the dialog on
//   screen as the user has it (shown:1) and hidden (shown:0), beside `find` over the
//   same tree (the counter x_find is the scan's time over find's, find run beside
//   each scan; the goal is 3 at most, shown; list_drawn counts the list's paints
//   per scan);
// - the import run of 12-megapixel JPEGs as copies, thumbnails included, beside
//   `cp` of the same files (counters photos_per_s). QM_IMPORT_BENCH_PHOTOS sets the
//   count (default 40; the full measurement is 1000).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "core/modquillmont.h"
#include "intake/frmImport.h"
#include "platform/files.h"
#include "platform/scripted_prompter.h"
#include "support/bench_env.h"
#include "support/yield_watch.h"

namespace {

constexpr int kFolders = 2000;
constexpr int kFilesPerFolder = 10;
std::string treeDir, photoDir;
int photoCount = 40;

double Seconds(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void Shell(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

// 40 folders of 50 folders each (2,000 leaves), ten files in each leaf: mostly
// pictures, some other files the scan passes over.
void BuildTree(const std::string& root) {
  for (int f = 0; f < kFolders; ++f) {
    const std::string folder = root + "/g" + std::to_string(f / 50) + "/f" + std::to_string(f);
    std::filesystem::create_directories(folder);
    for (int k = 0; k < kFilesPerFolder; ++k) {
      const char* ext = k < 7 ? ".jpg" : k == 7 ? ".avi" : k == 8 ? ".bmp" : ".txt";
      WriteBenchFile(folder + "/p" + std::to_string(k) + ext, "x");
    }
  }
}

void BM_Find(benchmark::State& state) {
  for (auto _ : state) Shell("find '" + treeDir + "' -type f > /dev/null");
}

// Arg 1 shows the dialog as the user has it (modal, on screen) for the whole run;
// arg 0 scans with it hidden.
void BM_AutoScan(benchmark::State& state) {
  frmImport& d = frmImport::Get();
  d.SetDir1Path(treeDir);
  if (state.range(0)) {
    d.setWindowModality(Qt::ApplicationModal);
    d.show();
    QElapsedTimer waited;
    waited.start();
    while (!(d.windowHandle() && d.windowHandle()->isExposed()) && waited.elapsed() < 5000)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!d.windowHandle()->isExposed()) state.SkipWithError("the dialog is not on screen");
  }
  int drawn = 0;
  const PaintCounter paints(d.List1->viewport(), drawn);
  int rows = 0;
  double scan = 0, find = 0;
  for (auto _ : state) {
    state.PauseTiming();
    d.List1->clear();
    d.List2->clear();
    // find runs beside each scan, so both meet the same load of the machine.
    find += Seconds([] { Shell("find '" + treeDir + "' -type f > /dev/null"); });
    state.ResumeTiming();
    scan += Seconds([&] { d.cmdAutoScan_Click(); });
    rows = d.List1->count();
  }
  state.counters["rows"] = rows;
  state.counters["x_find"] = scan / find;
  state.counters["list_drawn"] = double(drawn) / double(state.iterations());
  frmImport::Unload();
  QApplication::processEvents();
}

void ClearArchive() {
  for (const std::string& folder : {PhotosFolder, InfoFolder, ThumbnailsFolder, SlideGroupsFolder})
    for (const std::string& f : qm::ListFiles(folder)) qm::DeleteFile(folder + f);
}

void BM_ImportCopies(benchmark::State& state) {
  qm::ScriptedPrompter quiet;
  for (auto _ : state) {
    state.PauseTiming();
    ClearArchive();
    frmImport& d = frmImport::Get();
    for (int i = 0; i < photoCount; ++i) d.AddRow("cam" + std::to_string(i) + ".jpg", photoDir);
    d.chkOptions[3]->setChecked(false);
    state.ResumeTiming();
    d.cmdImport_Click();
    state.PauseTiming();
    if (qm::ListFiles(ThumbnailsFolder).size() != size_t(photoCount)) state.SkipWithError("thumbnails missing");
    frmImport::Unload();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["photos_per_s"] = benchmark::Counter(double(photoCount) * double(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

// cp alone, and cp followed by a flush to disc as the import's copies are (arg 1).
void BM_CpCopies(benchmark::State& state) {
  const std::string out = photoDir + "-cp";
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    Shell("sync");
    state.ResumeTiming();
    Shell("cp '" + photoDir + "'/*.jpg '" + out + "'/" + (state.range(0) ? " && sync -f '" + out + "'" : ""));
  }
  state.counters["photos_per_s"] = benchmark::Counter(double(photoCount) * double(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

BENCHMARK(BM_Find)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AutoScan)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportCopies)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CpCopies)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  OffscreenBench archive(argc, argv);
  if (const char* n = std::getenv("QM_IMPORT_BENCH_PHOTOS")) photoCount = std::max(1, std::atoi(n));

  treeDir = archive.Dir() + "/tree";
  BuildTree(treeDir);
  Shell("find '" + treeDir + "' -type f > /dev/null");  // warm

  // A few distinct camera pictures, repeated: every file is decoded in full all the same.
  photoDir = archive.Dir() + "/camera";
  std::filesystem::create_directories(photoDir);
  constexpr int kDistinct = 8;
  std::string pictures[kDistinct];
  for (int i = 0; i < kDistinct && i < photoCount; ++i) pictures[i] = CameraJpeg(i);
  for (int i = 0; i < photoCount; ++i)
    WriteBenchFile(photoDir + "/cam" + std::to_string(i) + ".jpg", pictures[i % kDistinct]);
  return RunBenchmarks(argc, argv);
}
