// The whole start-up check over an archive of 10,000 photos with information files
// and up-to-date thumbnails, so nothing needs building: every step walks its folder
// and the all-photos group is rewritten. The splash window is up, as at start-up.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "archive/archivecheck.h"
#include "archive/frmSplash.h"
#include "archive/modquillmont.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"

namespace {

constexpr int kPhotos = 10000;
constexpr std::int64_t kTime = 1500000000;

void WriteFile(const std::string& path, const std::string& content) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    std::exit(1);
  }
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

void BuildArchive() {
  const std::string photoBytes(2048, '\xd8');
  const std::string thumbBytes(1024, 'B');
  for (int i = 0; i < kPhotos; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "IMG_%05d.jpg", i);
    const std::string name = buf;
    WriteFile(PhotosFolder + name, photoBytes);
    WriteFile(ThumbnailsFolder + name, thumbBytes);
    WriteFile(InfoFolder + name + ".info",
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
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  if (!dir.isValid()) return 1;
  const std::string root = dir.path().toStdString() + "/prog";
  std::filesystem::create_directories(root);
  qm::SetProgramFolderForTests(root);
  qm::SetSettingsFolderForTests(dir.path().toStdString() + "/config");
  SetArchiveRoot();
  CreateArchiveFolders();
  ReadFolderSettings();
  BuildArchive();

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
