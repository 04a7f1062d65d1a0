#pragma once
// Program-wide state of the core module: the settings object, the archive root and
// its folders (each ending in "/"), and the start-up flags.
#include <string>

#include "core/CDravenholtReg.h"

inline CDravenholtReg gSettings;

inline std::string RootFolder;  // program folder, no trailing "/"
inline std::string AppPath;     // same as RootFolder
inline std::string PhotosFolder;
inline std::string ThumbnailsFolder;
inline std::string InfoFolder;
inline std::string SlideGroupsFolder;
inline std::string AudioFolder;
inline std::string MidiFolder;

inline bool ReadOnlyArchive = false;
inline bool BypassAutoCheck = false;
inline bool StopThumbnails = false;

inline const std::string kAppName = "Quillmont";
inline const std::string kAllPhotosGroup = "  All Photos  ";
inline const std::string kAllPhotosFile = "  All Photos  .lst";

// The seven folders made under the program folder at every start, in order.
inline const char* const kArchiveFolders[] = {"Photos", "Photo_Thumbnails", "Photo_Info", "Photo_SlideGroups",
                                              "Photo_Audio", "Photo_Midi", "Help"};

// Steps 3 to 5 of the start: fixes the root from the program folder, makes the
// folder tree and reads the six folder paths from the settings.
void SetArchiveRoot();
void CreateArchiveFolders();
// A blank value is the default folder (logged), except SlideGroups, whose blank
// value ends the program; a value beginning with "\" or without a leading "/" is
// relative to the program folder; every folder gets its trailing "/".
void ReadFolderSettings();
// A stored folder value as the folder it names.
std::string FolderFromSetting(const std::string& stored);
// Removes the temporary files a killed run left in the program folder and the
// archive's folders (those older than an hour; a second copy may be running).
void RemoveLeftoverTempFiles();
