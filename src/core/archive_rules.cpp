#include "core/archive_rules.h"

#include "core/archive_utils.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/runtime_error.h"

bool ThumbnailNeedsBuilding(const std::string& infoName, std::string& photoName) {
  photoName = PhotoNameOfInfo(infoName);
  const std::string photo = GetPhotoLink(infoName);
  std::string folder, file;
  SplitFilePath(photo, folder, file);
  const std::string thumb = ThumbnailsFolder + file;
  std::int64_t length = 0, thumbTime = 0, photoTime = 0;
  try {
    length = qm::FileLen(thumb);
    thumbTime = qm::FileDateTime(thumb);
    photoTime = qm::FileDateTime(photo);
  } catch (const qm::RuntimeError&) {
    return true;  // the thumbnail or the photo is missing
  }
  // A write-protected archive keeps the thumbnails it came with.
  if (ReadOnlyArchive) return false;
  return length < 1 || thumbTime != photoTime;
}

std::string LinkForPhotoInFolder(const std::string& fileName) {
  // A link relative to the program folder only says where the photo is when the
  // photos are in the program's own photo folder.
  if (PhotosFolder == RootFolder + "/Photos/") return "\\Photos\\" + fileName;
  return PhotosFolder + fileName;
}

bool SetAsideInfoFile(const std::string& name) {
  const std::string removed = InfoFolder + "Removed/";
  const std::string from = InfoFolder + name;
  const std::string to = removed + name;
  if (!qm::FolderExists(removed)) qm::ResumeNext([&] { qm::MakeFolder(removed); });
  try {
    qm::CopyFileSafely(from, to, true);
    // The original goes only once the copy holds the same bytes.
    if (qm::ReadFileBytes(to) != qm::ReadFileBytes(from)) return false;
    qm::DeleteFile(from);
    return true;
  } catch (const qm::RuntimeError&) {
    return false;
  }
}
