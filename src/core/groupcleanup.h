#pragma once
// Keeps the group lists consistent with the information files.
#include <string>

// Rewrites SlideGroupsFolder + GroupFile with one line per information file.
bool Create_AllPhotos_Group(const std::string& GroupFile);
// Drops from every group list the names whose information file is gone or empty.
void RemoveMissingPhotosFromGroup();
