#include "core/modquillmont.h"

#include <algorithm>
#include <vector>

#include "core/archive_rules.h"
#include "core/errorlog.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/program_folder.h"

void SetArchiveRoot() {
  AppPath = qm::ProgramFolder();
  RootFolder = AppPath;
}

void CreateArchiveFolders() {
  for (const char* name : kArchiveFolders) qm::ResumeNext([&] { qm::MakeFolder(RootFolder + "/" + name); });
}

std::string FolderFromSetting(const std::string& stored) {
  std::string folder = stored;
  if (!folder.empty() && folder[0] == '\\') {
    // Stored relative to the program folder, as the archive's links are.
    std::replace(folder.begin(), folder.end(), '\\', '/');
    folder = RootFolder + folder;
  } else if (folder.empty() || folder[0] != '/') {
    folder = RootFolder + "/" + folder;
  }
  if (folder.back() != '/') folder += '/';
  return folder;
}

void ReadFolderSettings() {
  const std::string section = "SourceFolders";
  auto read = [&](const char* key, const char* folder) {
    const std::string byDefault = RootFolder + "/" + folder + "/";
    const std::string stored = gSettings.GetDravenholtSetting(kAppName, section, key, byDefault);
    // A blank folder would be the working folder, where the check would set the
    // user's own files aside: the archive's own folder stands in for it.
    if (stored.empty()) {
      WriteLog(LogFilePath(), section + "\\" + key + " is blank; the folder " + byDefault + " is used");
      return byDefault;
    }
    return FolderFromSetting(stored);
  };
  PhotosFolder = read("Photos", "Photos");
  ThumbnailsFolder = read("Thumbnails", "Photo_Thumbnails");
  InfoFolder = read("Info", "Photo_Info");
  // A blank group folder still ends the program, as it always did.
  const std::string groups = gSettings.GetDravenholtSetting(kAppName, section, "SlideGroups",
                                                            RootFolder + "/Photo_SlideGroups/");
  SlideGroupsFolder = groups.empty() ? groups : FolderFromSetting(groups);
  AudioFolder = read("AudioClips", "Photo_Audio");
  MidiFolder = read("MidiMusic", "Photo_Midi");
}

void RemoveLeftoverTempFiles() {
  std::vector<std::string> folders = {RootFolder + "/"};
  for (const char* name : kArchiveFolders) folders.push_back(RootFolder + "/" + name + "/");
  for (const std::string* f : {&PhotosFolder, &ThumbnailsFolder, &InfoFolder, &SlideGroupsFolder, &AudioFolder,
                               &MidiFolder})
    if (!f->empty()) folders.push_back(*f);
  // Set-aside copies are made through temporary files there too; a Removed folder
  // that is a link leads out of the archive and holds none of ours.
  for (const std::string* f : {&PhotosFolder, &InfoFolder, &AudioFolder})
    if (!f->empty() && !RemovedFolderIsLink(*f)) folders.push_back(*f + "Removed/");
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const std::string& f : folders) qm::RemoveStaleTempFiles(f);
}
