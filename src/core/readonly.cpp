#include "core/readonly.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"

namespace {

std::string WithSlash(const std::string& folder) {
  return (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
}

std::optional<std::int64_t> TimeOf(const std::string& path) {
  std::optional<std::int64_t> t;
  qm::ResumeNext([&] { t = qm::FileDateTime(path); });
  return t;
}

// The fallback disc name must be the same at every start, or the per-disc copies
// would be lost; an unseeded generator's first value gives that.
std::string FallbackDiscName() {
  std::mt19937 gen;
  const double r = double(gen()) / 4294967296.0;
  return "CD-" + std::to_string(std::llround(r * 1000000.0));
}

std::string DefaultInstallationFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
}

std::string InstallationFolder() {
  std::string path = gSettings.GetDravenholtSetting(kAppName, "Installation", "Path", DefaultInstallationFolder());
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

void CheckDirPaths() {
  int failure = 0;
  if (!IsReadOnlyFolder(AppPath, &failure)) {
    if (failure != 0) TellFolderUnwritable(AppPath.empty() ? "/" : AppPath, failure);
    return;
  }

  const std::string disc = GetCDFolderName(AppPath);
  qm::ResumeNext([&] {
    InfoFolder = InstallationFolder() + "/" + disc + "/Photo_Info/";
    CreateFolderPath(InfoFolder);
    CopyNewerFiles(AppPath + "/Photo_Info/*.*", InfoFolder);
  });
  qm::ResumeNext([&] {
    SlideGroupsFolder = InstallationFolder() + "/" + disc + "/Photo_Slidegroups/";
    CreateFolderPath(SlideGroupsFolder);
    CopyNewerFiles(AppPath + "/Photo_SlideGroups/*.*", SlideGroupsFolder);
  });
}

int WriteProbeError(const std::string& FolderPath) {
  // The program folder at the file system's root is the empty string. The probe
  // has the name of the program's own temporary files, so the start's clean-up
  // takes one a kill left behind; mkstemp makes it exclusively, so no file of the
  // user's is ever opened.
  std::string name = WithSlash(FolderPath) + qm::kTempNameTemplate;
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return errno;
  // One byte, so a full disk shows here and not only at the first edit.
  int err = ::write(fd, "x", 1) == 1 ? 0 : errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  ::unlink(name.c_str());
  return err;
}

bool IsReadOnlyFolder(const std::string& FolderPath, int* otherFailure) {
  const int err = WriteProbeError(FolderPath);
  if (otherFailure) *otherFailure = 0;
  if (err == 0) return false;
  // Only write protection means a disc: a full disk or a quota would send the
  // edits to copies that vanish from view once there is room again.
  if (err != EROFS && err != EACCES && err != EPERM) {
    if (otherFailure) *otherFailure = err;
    return false;
  }
  ReadOnlyArchive = true;
  return true;
}

void TellFolderUnwritable(const std::string& folder, int err) {
  const std::string why = std::strerror(err);
  std::string text;
  if (err == ENOSPC)
    text = "The disk of the program folder " + folder + " is full (" + why + ").";
  else if (err == EDQUOT)
    text = "The program folder " + folder + " is over its disk quota (" + why + ").";
  else
    text = "The program folder " + folder + " cannot be written (" + why + ").";
  qm::MsgBox(text + "\n\nThe archive stays in this folder; each change that cannot be saved is reported when it fails.",
             qm::MsgButtons::OK, kAppName, qm::MsgIcon::Exclamation);
}

std::string GetCDFolderName(const std::string& ProgramFolder) {
  std::string name = FallbackDiscName();
  try {
    const std::string photos = ProgramFolder + "/Photos/";
    std::int64_t total = 0;
    for (const std::string& f : qm::ListFiles(photos)) {
      const std::int64_t len = qm::FileLen(photos + f);
      if (len > std::numeric_limits<std::int64_t>::max() - total) throw qm::RuntimeError(qm::ErrOverflow);
      total += len;
    }
    name = "CD-" + std::to_string(total);
  } catch (const qm::RuntimeError&) {
  }
  return name;
}

bool CopyNewerFiles(const std::string& Pattern, const std::string& DestFolder) {
  const std::string source = qm::ParentFolder(Pattern);
  const std::string wildcard = qm::BaseName(Pattern);
  bool allCopied = true;
  std::vector<std::string> files;
  if (!qm::ResumeNext([&] { files = qm::ListFiles(source, wildcard); })) return false;
  for (const std::string& f : files) {
    const auto from = TimeOf(source + f);
    if (!from) continue;
    const auto to = TimeOf(DestFolder + f);
    if (to && *to >= *from) continue;  // the copy here is as new or newer: keep it
    // Through a temporary file with the source's time, so a failed copy never
    // leaves a half file that would look up to date.
    if (!qm::ResumeNext([&] { qm::CopyFileSafely(source + f, DestFolder + f, true); })) allCopied = false;
  }
  return allCopied;
}

bool CreateFolderPath(const std::string& FolderPath) {
  // Every missing level is made, however deep; names are taken as they stand
  // (blanks are legal at either end of a name here).
  std::string sofar;
  size_t start = 0;
  while (start < FolderPath.size()) {
    size_t slash = FolderPath.find('/', start);
    if (slash == std::string::npos) slash = FolderPath.size();
    if (slash > start) {
      sofar += FolderPath.substr(start, slash - start);
      if (!qm::FolderExists(sofar)) qm::ResumeNext([&] { qm::MakeFolder(sofar); });
    }
    sofar += "/";
    start = slash + 1;
  }
  return qm::FolderExists(FolderPath);
}
