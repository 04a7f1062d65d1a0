#pragma once
// Group list files: SlideGroupsFolder + group name + ".lst", one photo name a line.
#include <string>

// Loads a list into PhotoNames, SelectedFlags, PhotoCount, CurrentGroupName and
// VScroll1State; on failure nothing of the browsing state changes.
bool ReadGroupFile(const std::string& file);
// Appends the selected photos to TargetGroup (a list file name with ".lst").
bool AddToGroup(const std::string& TargetGroup);
// Drops the lines whose position and name match a selected entry.
bool RemoveFromGroup(const std::string& file);
bool GroupExists(const std::string& GroupName);
// Replaces each of "|.<>?*:/\ and the double quote by "_"; true when nothing changed.
bool CheckGroupName(std::string& GroupName);
// Pages of n entries at sixteen a page, at least 1.
int PageCountFor(int n);
