#include "core/photo_removal.h"

#include <unistd.h>

#include <set>
#include <utility>

#include "core/albumstate.h"
#include "core/archive_rules.h"
#include "core/archive_utils.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/on_error.h"

namespace {

// Only "file not found" counts as absent: a file that cannot be looked up for
// another reason may be there and must not be passed over as moved.
bool Absent(const std::string& path) { return InfoFileAbsent(path); }

// A group line naming another folder ("../x") or none must not reach a file.
bool PlainName(const std::string& name) { return IsPlainFileName(name); }

// A folder that will let its file go once the copy is made; asked before any
// copy, so a read-only folder keeps the whole photo instead of half of it.
bool LetsFilesGo(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

// One file of a photo in an archive folder, with the copy this removal made of it.
struct PhotoFile {
  const std::string& folder;
  std::string name;
  std::string madeCopy;
  std::string Path() const { return folder + name; }
};

}  // namespace

void MakeRemovedFolders() {
  for (const std::string* folder : {&PhotosFolder, &InfoFolder, &AudioFolder})
    if (!qm::FolderExists(*folder + "Removed/")) qm::ResumeNext([&] { qm::MakeFolder(*folder + "Removed/"); });
}

void RemovePhotoFiles(const std::string& name, PhotoRemovalResult& result) {
  if (!PlainName(name)) return;
  // The information file first: once it is gone the photo is out of the program.
  // A linked photo's own file lies outside the photo folder and is never met here.
  std::vector<PhotoFile> files;
  for (auto& [folder, file] : {std::pair<const std::string&, std::string>{InfoFolder, name + ".info"},
                               {PhotosFolder, name},
                               {AudioFolder, name + ".wav"}})
    if (!Absent(folder + file)) files.push_back({folder, file, {}});

  // Nothing of the photo goes unless every one of its files has its copy.
  auto keep = [&] {
    for (const PhotoFile& f : files)
      if (!f.madeCopy.empty()) qm::ResumeNext([&] { qm::DeleteFile(f.madeCopy); });
    result.keptPhotos.push_back(name);
  };
  for (PhotoFile& f : files)
    if (!LetsFilesGo(f.folder) || !CopyAsideFile(f.folder, f.name, &f.madeCopy)) return keep();
  if (!files.empty() && &files[0].folder == &InfoFolder && !DeletedOrAbsent(files[0].Path())) return keep();

  result.removed.push_back(name);
  for (const PhotoFile& f : files)
    if (&f.folder != &InfoFolder && !DeletedOrAbsent(f.Path())) result.leftFiles.push_back(f.Path());
  if (!DeletedOrAbsent(ThumbnailsFolder + name)) result.leftFiles.push_back(ThumbnailsFolder + name);
}

PhotoRemovalResult RemoveSelectedPhotoFiles() {
  PhotoRemovalResult result;
  std::set<std::string> done;
  for (size_t i = 0; i < SelectedFlags.size() && i < PhotoNames.size(); ++i)
    if (SelectedFlags[i] == 1 && done.insert(PhotoNames[i]).second) RemovePhotoFiles(PhotoNames[i], result);
  return result;
}
