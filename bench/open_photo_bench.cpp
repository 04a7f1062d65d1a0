// Opening a camera-sized JPEG (4000 x 3000) in the main window's enlarged view:
// decode, fit, information file and showing the view, as a double click does.
// Goal: under 150 ms a photo.
#include <benchmark/benchmark.h>

#include "support/bench_env.h"

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "archive/modquillmont.h"
#include "browser/albumstate.h"
#include "browser/frmMain.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// Gradients, shapes and edges, about what a camera writes.
void CameraJpeg(const std::string& path, int seed) {
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, kWidth, kHeight);
  g.setColorAt(0, QColor::fromHsv((seed * 53) % 360, 170, 230));
  g.setColorAt(1, QColor::fromHsv((seed * 53 + 150) % 360, 200, 80));
  p.fillRect(img.rect(), g);
  for (int k = 0; k < 120; ++k) {
    p.setBrush(QColor::fromHsv((seed * 11 + k * 37) % 360, 190, 210));
    p.drawEllipse((k * 523 + seed * 97) % kWidth, (k * 331) % kHeight, 80 + (k * 17) % 500, 80 + (k * 29) % 400);
  }
  p.end();
  if (!img.save(QString::fromStdString(path), "JPEG", 90)) std::exit(1);
}

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
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  BenchArchive archive;
  for (int i = 0; i < 2; ++i) {
    const std::string name = "IMG_" + std::to_string(i) + ".jpg";
    CameraJpeg(PhotosFolder + name, i);
    WriteBenchFile(InfoFolder + name + ".info", "PhotoPath=\\Photos\\" + name + "\r\nTITLE=" + name + "\r\n");
  }
  WriteBenchFile(SlideGroupsFolder + kAllPhotosFile, "IMG_0.jpg\r\nIMG_1.jpg\r\n");
  const int rc = RunBenchmarks(argc, argv);
  frmMain::Unload();
  return rc;
}
