#include "support/bench_env.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/modquillmont.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"

ScratchArchive::ScratchArchive() {
  if (!dir_.isValid()) {
    std::fprintf(stderr, "no temporary folder\n");
    std::exit(1);
  }
  const std::string root = Dir() + "/prog";
  std::filesystem::create_directories(root);
  qm::SetProgramFolderForTests(root);
  qm::SetSettingsFolderForTests(Dir() + "/config");
  SetArchiveRoot();
  CreateArchiveFolders();
  ReadFolderSettings();
  // The first-run notice would wait for a click once a main window is shown.
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
}

void WriteBenchFile(const std::string& path, const std::string& content) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    std::exit(1);
  }
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

int RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

std::string CameraJpeg(int i) {
  constexpr int kWidth = 4000, kHeight = 3000;
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, kWidth, kHeight);
  g.setColorAt(0, QColor::fromHsv((i * 29) % 360, 160, 230));
  g.setColorAt(1, QColor::fromHsv((i * 29 + 140) % 360, 200, 90));
  p.fillRect(img.rect(), g);
  for (int k = 0; k < 150; ++k) {
    p.setBrush(QColor::fromHsv((i * 7 + k * 37) % 360, 190, 210));
    p.drawEllipse((k * 523 + i * 97) % kWidth, (k * 331 + i * 61) % kHeight, 60 + (k * 17) % 500, 60 + (k * 29) % 400);
  }
  p.end();
  for (int y = 0; y < kHeight; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      const int n = int((unsigned(x * 2654435761u) ^ unsigned(y * 40503u + i)) >> 28) - 8;
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255), std::clamp(qBlue(c) + n, 0, 255));
    }
  }
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, "JPEG", 90);
  return bytes.toStdString();
}

QImage BenchThumbnail(int i) {
  QImage img(100, i % 3 == 0 ? 100 : 75, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, 100, 100);
  g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 180, 230));
  g.setColorAt(1, QColor::fromHsv((i * 37 + 120) % 360, 200, 80));
  p.fillRect(img.rect(), g);
  p.end();
  return img;
}
