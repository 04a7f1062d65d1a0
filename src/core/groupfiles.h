#pragma once
// Group list files: SlideGroupsFolder + group name + ".lst", one photo name a line.
#include <string>
#include <vector>

// The list file of a group: the file the group list read it from, its own name
// byte for byte ("Trip.LST"), or for a group not listed its name and ".lst". Where
// two lists give the name, the loaded group's list when it is one of them, else
// the first.
std::string GroupFileOf(const std::string& group);
// The list file of the loaded group: the one it was read from (CurrentGroupFile),
// else that of its name.
std::string LoadedListFile();
// The group a list file holds: its name without the final ".lst", in any case (a
// list named by hand may hold further dots).
std::string GroupNameOf(const std::string& file);

// The lines of the list file at path, each cut to qm::kMaxTextLine bytes: a line
// that long names no photo, as no file name is that long. A list too large to
// hold is logged under procName; every failure throws qm::RuntimeError.
std::vector<std::string> ReadGroupLines(const std::string& path, const std::string& procName);

// Loads a list into PhotoNames, SelectedFlags, PhotoCount, CurrentGroupName,
// CurrentGroupFile and VScroll1State; on failure nothing of the browsing state changes.
bool ReadGroupFile(const std::string& file);
// Appends the selected photos to TargetGroup (a list file name with ".lst").
bool AddToGroup(const std::string& TargetGroup);
// Drops the lines whose position and name match a selected entry.
bool RemoveFromGroup(const std::string& file);
bool GroupExists(const std::string& GroupName);
// Replaces each of "|.<>?*:/\ and the double quote by "_"; true when nothing changed.
bool CheckGroupName(std::string& GroupName);
