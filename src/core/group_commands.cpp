#include "core/group_commands.h"

#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

std::string SongOf(const std::string& name) { return MidiFolder + name + ".mid"; }

// A song belongs to a name, so it stays while another list gives the same name
// ("Trip.LST" beside "Trip.lst"). A folder that cannot be listed keeps it too.
bool SongStaysWithAnotherList(const std::string& file) {
  const std::string name = GroupNameOf(file);
  try {
    for (const std::string& other : qm::ListFiles(SlideGroupsFolder, "*.lst"))
      if (other != file && GroupNameOf(other) == name) return true;
    return false;
  } catch (const qm::RuntimeError&) {
    return true;
  }
}

}  // namespace

std::size_t LongestGroupName() {
  const std::size_t longest = qm::NameMax(SlideGroupsFolder);
  return longest > 4 ? longest - 4 : 0;  // room for ".lst" and ".mid"
}

std::string GroupNameTooLong(const std::string& name) {
  const std::size_t longest = LongestGroupName();
  if (name.size() <= longest) return {};
  return "The name is too long for the file system. A group name may have at most " + std::to_string(longest) +
         " characters (fewer with accented letters).";
}

GroupRenameResult RenameGroupFiles(const std::string& oldFile, const std::string& newName) {
  GroupRenameResult r;
  const std::string oldName = GroupNameOf(oldFile);
  try {
    qm::RenameFileNoReplace(SlideGroupsFolder + oldFile, SlideGroupsFolder + newName + ".lst");
    r.listRenamed = true;
  } catch (const qm::RuntimeError& e) {
    r.listNameTaken = e.Number() == qm::ErrFileExists;
    r.listError = e.Description();
    return r;
  }
  r.songOfNewNameKept = qm::FileExists(SongOf(newName));
  if (r.songOfNewNameKept || !qm::FileExists(SongOf(oldName)) || SongStaysWithAnotherList(oldFile)) return r;
  try {
    qm::RenameFileNoReplace(SongOf(oldName), SongOf(newName));
    r.songRenamed = true;
  } catch (const qm::RuntimeError& e) {
    if (e.Number() == qm::ErrFileExists)
      r.songOfNewNameKept = true;
    else
      r.songError = e.Description();
  }
  return r;
}

bool RemoveGroupFiles(const std::string& file) {
  const std::string list = SlideGroupsFolder + file;
  if (!qm::FileExists(list)) return false;
  qm::DeleteFile(list);
  if (SongStaysWithAnotherList(file)) return true;
  try {
    qm::DeleteFile(SongOf(GroupNameOf(file)));
  } catch (const qm::RuntimeError&) {
    // Most groups have no song.
  }
  return true;
}

void CreateGroupFile(const std::string& name) { qm::CreateNewFile(SlideGroupsFolder + GroupFileOf(name)); }

MoveOutcome MoveSelectedPhotos(const std::string& targetFile, const std::string& loadedFile) {
  if (!AddToGroup(targetFile)) return MoveOutcome::NotAdded;
  return RemoveFromGroup(loadedFile) ? MoveOutcome::Moved : MoveOutcome::NotRemoved;
}
