// Opening a camera-sized JPEG (4000 x 3000) in the main window's enlarged view:
// decode, fit, information file and showing the view, as a double click does.
// Goal: under 150 ms a photo.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <cstdio>
#include <string>

#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"

namespace {

void BM_OpenCameraJpeg(benchmark::State& state) {
  frmMain& f = frmMain::Get();
  int slot = 0;
  for (auto _ : state) {
    // Alternate between two photos, so every round decodes a file.
    f.imgThumbnail_DblClick(slot);
    slot = 1 - slot;
    if (gAlbumState.ZoomLevel != -8) state.SkipWithError("the photo did not open at its fit");
  }
}
BENCHMARK(BM_OpenCameraJpeg)->Unit(benchmark::kMillisecond);

// The same, then stepping up to full size, which decodes the file again.
void BM_OpenAndZoomToFullSize(benchmark::State& state) {
  frmMain& f = frmMain::Get();
  int slot = 0;
  for (auto _ : state) {
    f.imgThumbnail_DblClick(slot);
    slot = 1 - slot;
    for (int i = 0; i < 7; ++i) f.cmdZoomIn_Click();
    if (gAlbumState.ZoomLevel != -1) state.SkipWithError("the zoom did not reach full size");
  }
}
BENCHMARK(BM_OpenAndZoomToFullSize)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  OffscreenBench archive(argc, argv);
  for (int i = 0; i < 2; ++i) {
    const std::string name = "IMG_" + std::to_string(i) + ".jpg";
    WriteBenchFile(PhotosFolder + name, CameraJpeg(i));
    WriteBenchFile(InfoFolder + name + ".info", "PhotoPath=\\Photos\\" + name + "\r\nTITLE=" + name + "\r\n");
  }
  WriteBenchFile(SlideGroupsFolder + kAllPhotosFile, "IMG_0.jpg\r\nIMG_1.jpg\r\n");
  const int rc = RunBenchmarks(argc, argv);
  frmMain::Unload();
  return rc;
}
