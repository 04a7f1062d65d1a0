#include "core/photo_removal.h"

#include <set>

#include "core/albumstate.h"
#include "core/archive_rules.h"
#include "core/archive_utils.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/runtime_error.h"

namespace {

// Only "file not found" counts as absent: a file that cannot be looked up for
// another reason may be there and must not be passed over as moved.
bool Absent(const std::string& path) { return InfoFileAbsent(path); }

// A group line naming another folder ("../x") or none must not reach a file.
bool PlainName(const std::string& name) { return IsPlainFileName(name); }

bool SetAside(const std::string& folder, const std::string& name) {
  return Absent(folder + name) || SetAsideFile(folder, name);
}

}  // namespace

void MakeRemovedFolders() {
  for (const std::string* folder : {&PhotosFolder, &InfoFolder, &AudioFolder})
    if (!qm::FolderExists(*folder + "Removed/")) qm::ResumeNext([&] { qm::MakeFolder(*folder + "Removed/"); });
}

void RemovePhotoFiles(const std::string& name, PhotoRemovalResult& result) {
  if (!PlainName(name)) return;
  // A photo that stays keeps everything of it, so it stays whole in its groups.
  if (!SetAside(PhotosFolder, name)) {
    result.keptPhotos.push_back(name);
    return;
  }
  auto follow = [&](const std::string& folder, const std::string& file) {
    if (SetAside(folder, file)) return true;
    result.leftFiles.push_back(folder + file);
    return false;
  };
  follow(AudioFolder, name + ".wav");
  const bool infoGone = follow(InfoFolder, name + ".info");
  const std::string thumb = ThumbnailsFolder + name;
  try {
    qm::DeleteFile(thumb);
  } catch (const qm::RuntimeError& e) {
    if (e.Number() != qm::ErrFileNotFound) result.leftFiles.push_back(thumb);
  }
  if (infoGone) result.removed.push_back(name);
}

PhotoRemovalResult RemoveSelectedPhotoFiles() {
  PhotoRemovalResult result;
  std::set<std::string> done;
  for (size_t i = 0; i < SelectedFlags.size() && i < PhotoNames.size(); ++i)
    if (SelectedFlags[i] == 1 && done.insert(PhotoNames[i]).second) RemovePhotoFiles(PhotoNames[i], result);
  return result;
}
