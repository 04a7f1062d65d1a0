#pragma once
// Keeps the group lists consistent with the information files.
#include <string>
#include <vector>

// Rewrites SlideGroupsFolder + GroupFile with one line per information file.
bool Create_AllPhotos_Group(const std::string& GroupFile);
// Drops from every group list the names whose information file is gone or empty.
// Returns what it could not clean: the group lists it could not read or rewrite,
// or the groups folder when it could not be listed.
std::vector<std::string> RemoveMissingPhotosFromGroup();
