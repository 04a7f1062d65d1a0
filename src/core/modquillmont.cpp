#include "core/modquillmont.h"

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

void ReadFolderSettings() {
  const std::string section = "SourceFolders";
  auto read = [&](const char* key, const char* folder) {
    return gSettings.GetDravenholtSetting(kAppName, section, key, RootFolder + "/" + folder + "/");
  };
  PhotosFolder = read("Photos", "Photos");
  ThumbnailsFolder = read("Thumbnails", "Photo_Thumbnails");
  InfoFolder = read("Info", "Photo_Info");
  SlideGroupsFolder = read("SlideGroups", "Photo_SlideGroups");
  AudioFolder = read("AudioClips", "Photo_Audio");
  MidiFolder = read("MidiMusic", "Photo_Midi");
}
