#include "harness.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "platform/clock.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"

namespace fuzz {

void SetUpOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  // Never destroyed: inputs run until the process exits.
  new QGuiApplication(argc, argv);
  static QTemporaryDir dir;
  if (!dir.isValid()) Fail("no temporary folder");
  const std::string root = dir.path().toStdString() + "/prog";
  std::filesystem::create_directories(root);
  qm::SetProgramFolderForTests(root);
  qm::SetSettingsFolderForTests(dir.path().toStdString() + "/config");
  std::filesystem::create_directories(dir.path().toStdString() + "/config/Dravenholt");
  // A frozen clock keeps log stamps, and so every run, the same.
  qm::SetClockForTests(1000000000);
  SetArchiveRoot();
  CreateArchiveFolders();
  ReadFolderSettings();
  ResetBrowsingState();
}

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) Fail("cannot write the input file");
  if (size && std::fwrite(data, 1, size, f) != size) Fail("short write of the input file");
  std::fclose(f);
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace fuzz
