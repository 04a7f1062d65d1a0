#include "harness.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "platform/clock.h"
#include "platform/program_folder.h"
#include "platform/settings_backend.h"

namespace fuzz {

void SetUpOnce() {
  static const bool ready = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // never destroyed: inputs run until the process exits
    static QTemporaryDir dir;
    if (!dir.isValid()) Fail("no temporary folder");
    const std::string base = dir.path().toStdString();
    std::filesystem::create_directories(base + "/prog");
    std::filesystem::create_directories(base + "/config/Dravenholt");
    qm::SetProgramFolderForTests(base + "/prog");
    qm::SetSettingsFolderForTests(base + "/config");
    qm::SetClockForTests(1000000000);  // log stamps, and so every run, stay the same
    SetArchiveRoot();
    CreateArchiveFolders();
    ReadFolderSettings();
    ResetBrowsingState();
    return true;
  }();
  (void)ready;
}

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (!std::ofstream(path, std::ios::binary | std::ios::trunc)
           .write(reinterpret_cast<const char*>(data), std::streamsize(size)))
    Fail("cannot write the input file");
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace fuzz
