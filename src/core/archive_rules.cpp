#include "core/archive_rules.h"

#include <sys/stat.h>

#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/runtime_error.h"

namespace {

bool InsideProgramFolder(const std::string& path) {
  const std::string root = RootFolder + "/";
  return path.compare(0, root.size(), root) == 0;
}

// Whether a file is there; only "not found" says it is not, other failures throw.
bool IsThere(const std::string& path) {
  try {
    qm::FileLen(path);
    return true;
  } catch (const qm::RuntimeError& e) {
    if (e.Number() == qm::ErrFileNotFound) return false;
    throw;
  }
}

// The runtime error number statement failed with; 0 when it ran.
template <class Statement>
int FailureOf(Statement statement) {
  try {
    statement();
    return 0;
  } catch (const qm::RuntimeError& e) {
    return e.Number();
  }
}

}  // namespace

void RequireInfoFolder() {
  if (!qm::FolderExists(InfoFolder))
    throw qm::RuntimeError(qm::ErrPathNotFound,
                           "Path not found (the information folder " + InfoFolder + " does not exist)");
}

std::vector<std::string> ArchiveFolders() {
  std::vector<std::string> out;
  for (const std::string* folder :
       {&PhotosFolder, &ThumbnailsFolder, &InfoFolder, &SlideGroupsFolder, &AudioFolder, &MidiFolder}) {
    out.push_back(*folder);
    out.push_back(*folder + "Removed/");
  }
  return out;
}

std::optional<FileId> IdOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileId(st.st_dev, st.st_ino);
}

bool NameBreaksLines(const std::string& name) { return name.find_first_of("\r\n") != std::string::npos; }

std::string ShownName(const std::string& name) {
  std::string out;
  for (char c : name) {
    if (c == '\r') out += "<CR>";
    else if (c == '\n') out += "<LF>";
    else out += c;
  }
  return out;
}

bool OnAbsentMedium(const std::string& photoPath) {
  if (photoPath.empty() || photoPath[0] != '/' || InsideProgramFolder(photoPath)) return false;
  // An unmounted medium leaves its mount point empty; a folder with other files
  // in it is there, and a photo missing from it is gone.
  return !qm::FolderHasEntries(qm::ParentFolder(photoPath));
}

bool PhotoIsMissing(const std::string& infoName) {
  // Left alone: InfoFilesExist says why, once a start.
  if (!IsInfoFileName(infoName) || NameBreaksLines(infoName)) return false;
  const std::string photo = GetPhotoLink(infoName);
  if (CheckPhotoLink(photo)) return false;
  if (OnAbsentMedium(photo)) {
    WriteLog(LogFilePath(), "PhotoFilesExist: the photo of " + infoName + " is on a medium that is not there (" +
                                photo + "); its information is kept");
    return false;
  }
  return true;
}

bool ThumbnailNeedsBuilding(const std::string& infoName, std::string& photoName) {
  photoName = PhotoNameOfInfo(infoName);
  if (!IsInfoFileName(infoName) || NameBreaksLines(photoName)) return false;
  const std::string photo = GetPhotoLink(infoName);
  // The builder names a thumbnail after the photo name, whatever the linked file
  // is called.
  const std::string thumb = ThumbnailsFolder + photoName;
  std::int64_t length = 0, thumbTime = 0, photoTime = 0;
  try {
    length = qm::FileLen(thumb);
    thumbTime = qm::FileDateTime(thumb);
    photoTime = qm::FileDateTime(photo);
  } catch (const qm::RuntimeError&) {
    // Nothing to draw from while the medium is away; the thumbnail it has stays.
    if (OnAbsentMedium(photo)) return false;
    return true;  // the thumbnail or the photo is missing
  }
  // A write-protected archive keeps the thumbnails it came with.
  if (ReadOnlyArchive) return false;
  return length < 1 || thumbTime != photoTime;
}

std::string WhyNoInfoFile(const std::string& photoName) {
  if (NameBreaksLines(photoName)) return "its name holds a line break";
  if (photoName.size() + 5 > qm::NameMax(InfoFolder)) return "its name is too long for an information file";
  return {};
}

bool InfoFileAbsent(const std::string& infoPath) {
  return FailureOf([&] { qm::FileLen(infoPath); }) == qm::ErrFileNotFound;
}

bool DeletedOrAbsent(const std::string& path) {
  const int failure = FailureOf([&] { qm::DeleteFile(path); });
  return failure == 0 || failure == qm::ErrFileNotFound;
}

std::string LinkForPhotoInFolder(const std::string& fileName) {
  // A link relative to the program folder only says where the photo is when the
  // photos are in the program's own photo folder.
  if (PhotosFolder == RootFolder + "/Photos/") return "\\Photos\\" + fileName;
  return PhotosFolder + fileName;
}

std::string NumberedName(const std::string& name, int n) {
  if (n <= 1) return name;
  const size_t dot = name.rfind('.');
  const size_t at = (dot == std::string::npos || dot == 0) ? name.size() : dot;
  return name.substr(0, at) + " (" + std::to_string(n) + ")" + name.substr(at);
}

bool RemovedFolderIsLink(const std::string& folder) {
  struct stat st {};
  return ::lstat((folder + "Removed").c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string CopyIntoRemoved(const std::string& folder, const std::string& name) {
  const std::string removed = folder + "Removed/";
  const std::string from = folder + name;
  // Set-aside copies stay in the archive: a Removed folder that is a link would
  // carry them elsewhere. The archive folder itself may be one.
  if (RemovedFolderIsLink(folder))
    throw qm::RuntimeError(qm::ErrPathFileAccess, qm::ErrorText(qm::ErrPathFileAccess) + " (" + removed + " is a link)");
  if (!qm::FolderExists(removed)) qm::ResumeNext([&] { qm::MakeFolder(removed); });
  // Files are compared a chunk at a time: a clip of gigabytes is never held whole.
  std::string to;
  for (int n = 1;; ++n) {
    to = removed + NumberedName(name, n);
    if (!IsThere(to)) break;
    if (qm::SameFileContents(to, from)) return "";
  }
  qm::CopyFileSafely(from, to, true);
  if (!qm::SameFileContents(to, from)) {
    qm::ResumeNext([&] { qm::DeleteFile(to); });
    throw qm::RuntimeError(qm::ErrPathFileAccess);
  }
  return to;
}

bool CopyAsideFile(const std::string& folder, const std::string& name, std::string* madeCopy) {
  try {
    const std::string to = CopyIntoRemoved(folder, name);
    if (madeCopy) *madeCopy = to;
    return true;
  } catch (const qm::RuntimeError&) {
    return false;
  }
}

bool SetAsideFile(const std::string& folder, const std::string& name) {
  // The original goes only once the copy holds the same bytes.
  if (!CopyAsideFile(folder, name)) return false;
  return qm::ResumeNext([&] { qm::DeleteFile(folder + name); });
}

bool SetAsideInfoFile(const std::string& name) { return SetAsideFile(InfoFolder, name); }
