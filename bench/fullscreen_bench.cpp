// Stepping to the next photo in the full-screen viewer on a 1920 x 1080 screen, from
// the key press to the picture drawn: the main window's step (decode for its small
// area, information file) and the viewer's decode for the screen. 12 MP camera-like
// JPEGs. Goal: under 80 ms a step.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <QApplication>
#include <QKeyEvent>
#include <string>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/slideshow_rules.h"
#include "media/frmFullScreen.h"

namespace {

constexpr int kPhotos = 4;

void Key(frmFullScreen& v, int qtKey) {
  QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier);
  QApplication::sendEvent(v.picVideoWindowFS, &e);
}

void BM_FullScreenNextPhoto(benchmark::State& state) {
  frmMain& f = frmMain::Get();
  f.imgThumbnail_DblClick(0);
  f.cmdFullScreen_Click();
  frmFullScreen& v = frmFullScreen::Get();
  // The offscreen screen is smaller: the viewer is given the size of the screen
  // measured for.
  v.showNormal();
  v.setGeometry(0, 0, 1920, 1080);
  v.ShowPhoto();
  for (auto _ : state) {
    // Back to the first photo between rounds, untimed, so each step decodes a file.
    if (gAlbumState.CurrentImageIndex == kPhotos) {
      state.PauseTiming();
      while (gAlbumState.CurrentImageIndex > 1) f.PrevPhoto();
      state.ResumeTiming();
    }
    Key(v, Qt::Key_Right);
    v.imgFullScreen->repaint();
    if (v.imgFullScreen->isHidden() || v.imgFullScreen->width() != 1440)
      state.SkipWithError("the photo was not shown over the screen");
  }
}
BENCHMARK(BM_FullScreenNextPhoto)->Unit(benchmark::kMillisecond);

// The parts of the step: the viewer's own decode alone, and the main window's step.
void BM_ReadForScreenAlone(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    const auto p = slideshow::ReadPictureFor(PhotosFolder + "IMG_" + std::to_string(i) + ".jpg", {1440, 1080});
    i = (i + 1) % kPhotos;
    benchmark::DoNotOptimize(p.image.constBits());
  }
}
BENCHMARK(BM_ReadForScreenAlone)->Unit(benchmark::kMillisecond);

void BM_MainWindowStepAlone(benchmark::State& state) {
  frmMain& f = frmMain::Get();
  if (frmFullScreen::IsLoaded()) frmFullScreen::Unload();
  f.imgThumbnail_DblClick(0);
  for (auto _ : state) {
    if (gAlbumState.CurrentImageIndex == kPhotos) {
      state.PauseTiming();
      while (gAlbumState.CurrentImageIndex > 1) f.PrevPhoto();
      state.ResumeTiming();
    }
    f.NextPhoto();
  }
}
BENCHMARK(BM_MainWindowStepAlone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  OffscreenBench archive(argc, argv);
  std::string list;
  for (int i = 0; i < kPhotos; ++i) {
    const std::string name = "IMG_" + std::to_string(i) + ".jpg";
    WriteBenchFile(PhotosFolder + name, CameraJpeg(i));
    WriteBenchFile(InfoFolder + name + ".info", "PhotoPath=\\Photos\\" + name + "\r\nTITLE=" + name + "\r\n");
    list += name + "\r\n";
  }
  WriteBenchFile(SlideGroupsFolder + kAllPhotosFile, list);
  const int rc = RunBenchmarks(argc, argv);
  if (frmFullScreen::IsLoaded()) frmFullScreen::Unload();
  frmMain::Unload();
  return rc;
}
