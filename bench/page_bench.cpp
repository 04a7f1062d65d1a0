// One page of sixteen thumbnails in the main window's grid (a 40-photo group),
// against decoding the same sixteen thumbnail files alone. Goal: a page in under 20 ms.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>
#include <string>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"

namespace {

constexpr int kPhotos = 40;

std::string PhotoName(int i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "IMG_%04d.jpg", i);
  return buf;
}

// Thumbnails as the builder writes them: bitmaps of up to 100 x 100 under the photo name.
void BuildGroup() {
  std::string list;
  for (int i = 1; i <= kPhotos; ++i) {
    const std::string name = PhotoName(i);
    BenchThumbnail(i).save(QString::fromStdString(ThumbnailsFolder + name), "BMP");
    WriteBenchFile(InfoFolder + name + ".info", "PhotoPath=\\Photos\\" + name + "\r\nTITLE=\r\nPHOTOGRAPHER=\r\nYEAR=\r\n"
                                           "PEOPLE=\r\nPLACE=\r\nEVENT=\r\nKEYWORDS=\r\nImageWidth=0\r\nImageHeight=0\r\n");
    list += name + "\r\n";
  }
  WriteBenchFile(SlideGroupsFolder + "Trip.lst", list);
  WriteBenchFile(SlideGroupsFolder + kAllPhotosFile, list);
}

void BM_Yardstick_DecodeSixteenThumbnails(benchmark::State& state) {
  int page = 0;
  for (auto _ : state) {
    for (int s = 0; s < 16; ++s) {
      QImageReader reader(QString::fromStdString(ThumbnailsFolder + PhotoName(page * 16 + s + 1)));
      reader.setDecideFormatFromContent(true);
      benchmark::DoNotOptimize(reader.read());
    }
    page = 1 - page;
  }
}
BENCHMARK(BM_Yardstick_DecodeSixteenThumbnails)->Unit(benchmark::kMillisecond)->UseRealTime();

// Pages 1 and 2 in turn, both full; each shows its sixteen thumbnails and names.
// With the window shown (argument 1) the yields after each slot also repaint it.
void BM_ShowThumbnailPage(benchmark::State& state) {
  frmMain& f = frmMain::Get();
  f.setVisible(state.range(0) == 1);
  f.pctAlbumList_MouseDown(1, 1, 0, 0, 0);
  if (gAlbumState.CurrentGroupName != "Trip" || gAlbumState.PhotoCount != kPhotos) {
    state.SkipWithError("the group did not load");
    return;
  }
  std::int32_t page = 2;
  for (auto _ : state) {
    f.ShowThumbnailPage(page);
    page = 3 - page;
  }
}
BENCHMARK(BM_ShowThumbnailPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  OffscreenBench archive(argc, argv);
  BuildGroup();

  return RunBenchmarks(argc, argv);
}
