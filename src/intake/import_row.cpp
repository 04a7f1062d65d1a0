#include "intake/import_row.h"

#include <sys/stat.h>
#include <unistd.h>

#include "core/archive_rules.h"
#include "core/errorlog.h"
#include "core/import_rules.h"
#include "core/infofile.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/runtime_error.h"

namespace {

// A directory lookup: anything of that name counts, a dangling link included.
bool PathExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

void DeleteQuietly(const std::string& path) {
  qm::ResumeNext([&] { qm::DeleteFile(path); });
}

// Takes back a file the row made; "" is none.
void Discard(const std::string& path) {
  if (!path.empty()) DeleteQuietly(path);
}

// A copy into the photo folder: the copy is made under a temporary name, the
// earlier photo of that name (unless it is to be overwritten) is kept in
// Photos/Removed, the information file is written, and only then does the copy
// take the photo's name. Until that last rename has worked, the earlier
// information file is kept beside under a temporary name, so a row that fails
// even there leaves both folders as they were.
std::string ImportCopy(const std::string& source, const std::string& name, const ImportRowOptions& o) {
  const std::string photo = PhotosFolder + name;
  const std::string info = InfoFolder + name + ".info";
  std::string copy;
  try {
    copy = qm::CopyToTempBeside(source, photo, true);
  } catch (const qm::RuntimeError& e) {
    return e.Description();
  }
  const std::string removed = PhotosFolder + "Removed";
  const bool hadRemoved = PathExists(removed);
  std::string kept, earlierInfo;
  // Takes back all the row made, up to the photo's rename.
  const auto undo = [&] {
    Discard(copy);
    Discard(kept);
    // A Removed folder the row made goes with it (only ever when empty).
    if (!hadRemoved) ::rmdir(removed.c_str());
    Discard(earlierInfo);
  };
  if (!o.overwritePhoto && PathExists(photo)) {
    try {
      // An earlier photo with the very same bytes loses nothing by the copy.
      if (!qm::SameFileContents(copy, photo)) kept = CopyIntoRemoved(PhotosFolder, name);
    } catch (const qm::RuntimeError&) {
      undo();
      return kRowNotSetAside;
    }
  }
  const bool hadInfo = PathExists(info);
  try {
    if (hadInfo) earlierInfo = qm::CopyToTempBeside(info, info, true);
  } catch (const qm::RuntimeError&) {
    undo();
    return kRowInfoNotWritten;
  }
  if (!CreateInfoFile(info, LinkForPhotoInFolder(name))) {
    undo();
    return kRowInfoNotWritten;
  }
  try {
    qm::RenameFile(copy, photo);
  } catch (const qm::RuntimeError& e) {
    // The earlier information file comes back whole, under its own name at once.
    if (!qm::ResumeNext([&] { hadInfo ? qm::RenameFile(earlierInfo, info) : qm::DeleteFile(info); }))
      LogError("ImportFile", "The earlier information file " + info + " is kept as " + earlierInfo);
    earlierInfo.clear();
    undo();
    return e.Description();
  }
  Discard(earlierInfo);
  // The old thumbnail is made again.
  if (o.overwritePhoto) DeleteQuietly(ThumbnailsFolder + name);
  return "";
}

}  // namespace

std::string ImportFile(const std::string& source, const std::string& name, const ImportRowOptions& o,
                       import_rules::ArchiveFiles& archive) {
  const std::string photo = PhotosFolder + name;
  const std::string info = InfoFolder + name + ".info";
  if (import_rules::SkipsAsExisting(PathExists(info), o.overwriteInfo)) return "File already exists";
  try {
    if (qm::FileLen(source) == 0) return kRowEmptyFile;
  } catch (const qm::RuntimeError& e) {
    return e.Description();
  }
  // The archive's own photo under this very name is imported in place; any other
  // file of the archive would be replaced or deleted by the row that reads it.
  const bool own = import_rules::SameFile(source, photo);
  if (!own && archive.Holds(source)) return kRowArchiveFile;
  if (!o.linksOnly && !own) return ImportCopy(source, name, o);

  // A photo of the photo folder is linked as the archive check links it, so the
  // link holds when the program folder moves.
  if (!CreateInfoFile(info, own ? LinkForPhotoInFolder(name) : source)) return kRowInfoNotWritten;
  if (o.overwritePhoto) {
    DeleteQuietly(ThumbnailsFolder + name);
    // With a link, an old copy of that name is no longer the photo.
    if (!own) DeleteQuietly(photo);
  }
  return "";
}
