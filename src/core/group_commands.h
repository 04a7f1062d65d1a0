#pragma once
// The file work of the group commands, apart from their windows: each says what
// happened, so the command can tell the user and change its lists to match.
#include <cstddef>
#include <string>

// The longest group name, in bytes, that the group folder's file system takes for
// the group's list file (and its song, of the same length).
std::size_t LongestGroupName();
// The message for a name that is too long; "" for a name that fits.
std::string GroupNameTooLong(const std::string& name);

// Renaming a group by its list file: the list first; its song only once the list
// is renamed, and not while another list gives the old name. A file of the new
// name is never replaced.
struct GroupRenameResult {
  bool listRenamed = false;
  bool listNameTaken = false;  // a file of the new name is there already
  std::string listError;       // why the list file kept its name
  bool songRenamed = false;
  bool songOfNewNameKept = false;  // a song of the new name was there already and stays
  std::string songError;       // why an existing song kept its name (other than the above)
};
GroupRenameResult RenameGroupFiles(const std::string& oldFile, const std::string& newName);

// Removes a group's list file (throws when it cannot) and then its song, ignoring
// a song that cannot go and keeping one another list's name still plays. False
// when the list file was not there.
bool RemoveGroupFiles(const std::string& file);

// Makes the empty list file of a new group; throws 58 when the file is there
// already, so an existing list is never emptied.
void CreateGroupFile(const std::string& name);

// Moving the selected photos of the loaded group to another group: they leave the
// loaded list only once they were appended to the target.
enum class MoveOutcome { Moved, NotAdded, NotRemoved };
MoveOutcome MoveSelectedPhotos(const std::string& targetFile, const std::string& loadedFile);
