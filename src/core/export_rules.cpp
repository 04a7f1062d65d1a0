#include "core/export_rules.h"

#include <sys/stat.h>

#include <set>

#include "core/archive_rules.h"
#include "core/archive_utils.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

std::string Refused(const std::string& dest, const std::string& why) {
  return "Nothing was exported: the destination folder \"" + dest + "\" " + why +
         " Choose another destination folder.";
}

}  // namespace

bool IsExportableName(const std::string& name) { return IsPlainFileName(name); }

std::string ExportRefusal(const std::string& dest, const std::vector<std::string>& targets) {
  if (const std::optional<FileId> destId = IdOf(dest.empty() ? "/" : dest)) {
    if (IdOf(RootFolder.empty() ? "/" : RootFolder) == destId) return Refused(dest, "is the program's own folder.");
    for (const std::string& folder : ArchiveFolders())
      if (IdOf(folder) == destId) return Refused(dest, "is a folder of the program's own archive.");
  }
  // Only files that are there can be lost; a fresh folder needs no further look.
  std::set<FileId> present;
  for (const std::string& t : targets)
    if (const std::optional<FileId> id = IdOf(t)) present.insert(*id);
  if (present.empty()) return "";
  std::vector<std::string> infos;
  try {
    infos = qm::ListFiles(InfoFolder, "*.info");
  } catch (const qm::RuntimeError& e) {
    return Refused(dest, "could not be checked against the program's photos (" + e.Description() + ").");
  }
  for (const std::string& info : infos) {
    const std::string photo = GetPhotoLink(info);
    const std::optional<FileId> id = IdOf(photo);
    if (id && present.count(*id))
      return Refused(dest, "holds the photo " + PhotoNameOfInfo(info) + " of the program itself (\"" + photo +
                               "\"), which the export would replace.");
  }
  return "";
}

std::string CsvAppendRefusal(const std::string& csvPath) {
  struct stat st {};
  // A file that is not there is made new; one that cannot be looked at fails its
  // own append, record by record.
  if (::lstat(csvPath.c_str(), &st) != 0) return "";
  std::string why;
  if (S_ISLNK(st.st_mode))
    why = "is a symbolic link, so the records would be added to the file it points to.";
  else if (!S_ISREG(st.st_mode))
    why = "is not a plain file.";
  else if (st.st_nlink > 1)
    why = "is one file with " + std::to_string(st.st_nlink - 1) +
          " other name(s) (hard links), so the records would be added to every one of them.";
  if (why.empty()) return "";
  return "Nothing was exported: \"" + csvPath + "\" " + why +
         " Choose \"Overwrite\" to replace it, or another destination folder.";
}
