#include "platform/program_folder.h"

#include <QCoreApplication>

namespace qm {
namespace {
bool g_overridden = false;
std::string g_folder;
}  // namespace

std::string ProgramFolder() {
  if (g_overridden) return g_folder;
  std::string dir = QCoreApplication::applicationDirPath().toStdString();
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  return dir;
}

void SetProgramFolderForTests(const std::string& folder) {
  g_overridden = true;
  g_folder = folder;
  while (!g_folder.empty() && g_folder.back() == '/') g_folder.pop_back();
}

}  // namespace qm
