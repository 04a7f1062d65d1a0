#pragma once
// Where a photo is: the "PhotoPath" link of its information file, relative to the
// program folder when it begins with "\", else a full path.
#include <string>

// InfoName is the information file's name within InfoFolder ("beach.jpg.info").
// Returns the photo's full path, or "" after a failure (logged).
std::string GetPhotoLink(const std::string& InfoName);
// True when the photo named by LinkPath (resolved, or a stored relative link) exists
// and holds at least one byte.
bool CheckPhotoLink(const std::string& LinkPath);
// A stored link as a path: "\Photos\a.jpg" -> RootFolder + "/Photos/a.jpg".
std::string ResolveStoredLink(const std::string& value);
// The photo name an information file stands for: its name without ".info" (the
// last five characters, whatever they are); "" for a shorter name.
std::string PhotoNameOfInfo(const std::string& InfoName);
// Only a name ending in ".info" after a photo name is an information file; any
// other file in the information folder (a user's folder named by the settings) is
// none of the program's business.
bool IsInfoFileName(const std::string& name);
