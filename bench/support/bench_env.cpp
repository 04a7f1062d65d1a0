#include "support/bench_env.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "archive/modquillmont.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"

BenchArchive::BenchArchive() {
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
