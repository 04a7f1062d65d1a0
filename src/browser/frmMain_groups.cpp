// The group commands (create, rename, remove, move, remove from the loaded group),
// removing photos from the program, the group store as members of the main window
// for the other windows that call them there, and the commands of parts of the
// program still to come.
#include <exception>
#include <string>
#include <vector>

#include "browser/frmGroups.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/group_commands.h"
#include "core/group_names.h"
#include "core/groupcleanup.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "core/photo_removal.h"
#include "platform/files.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/shown_names.h"
#include "search_export/frmSearch.h"

namespace {

void Tell(const std::string& text) { qm::MsgBox(text, qm::MsgButtons::OK, "", qm::MsgIcon::Exclamation); }

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// A list for a message: the first few items, then how many more.
std::string Listed(const std::vector<std::string>& items, size_t shown = 10) {
  std::string out;
  for (size_t i = 0; i < items.size() && i < shown; ++i) out += "\n" + items[i];
  if (items.size() > shown) out += "\n... and " + std::to_string(items.size() - shown) + " more";
  return out;
}

}  // namespace

bool frmMain::GroupExists(const std::string& GroupName) { return ::GroupExists(GroupName); }

bool frmMain::AddToGroup(const std::string& TargetGroup) { return ::AddToGroup(TargetGroup); }

bool frmMain::CheckGroupName(std::string& GroupName) { return ::CheckGroupName(GroupName); }

// A failure is shown as well as logged: the user would take silence for a group made.
void frmMain::CreateAlbumGroup(int ForImage) {
  std::string name = "new group";
  try {
    for (;;) {
      const auto answer = qm::InputBox("Enter name for new group.", "New Album Group", name);
      if (!answer || answer->empty()) return;
      name = *answer;
      CheckGroupName(name);
      if (const std::string tooLong = GroupNameTooLong(name); !tooLong.empty()) {
        qm::MsgBox(tooLong, qm::MsgButtons::OK, "New Album Group", qm::MsgIcon::Exclamation);
        continue;
      }
      if (!GroupExists(name)) {
        try {
          CreateGroupFile(name);
          break;
        } catch (const qm::RuntimeError& e) {
          // A list of that name that the strip does not show yet is never emptied.
          if (e.Number() != qm::ErrFileExists) throw;
        }
      }
      qm::MsgBox("Album group name already exists. Select a new name.", qm::MsgButtons::OK, "Group Exists.");
    }
    const std::string file = GroupFileOf(name);
    if (ForImage == 1 && !AddToGroup(file)) Tell("The photo(s) could not be copied to the group " + Quoted(name) + ".");
    if (ForImage == 2) MoveToGroup(file);
    LoadGroupNames();
  } catch (const std::exception& e) {
    LogError("CreateAlbumGroup", e.what());
    Tell("The group " + Quoted(name) + " could not be created. " + e.what() + ".");
  }
}

void frmMain::RemoveAlbumGroup(std::string file) {
  const std::string name = GroupNameOf(file);
  try {
    // Rebuilt at every start, so removing it would only empty the strip's first button.
    if (grid::IsAllPhotosGroup(name)) return;
    if (qm::MsgBox("Are you sure you want to delete this group -> " + name, qm::MsgButtons::YesNo) !=
        qm::MsgAnswer::Yes)
      return;
    if (!RemoveGroupFiles(file)) Tell("The group " + Quoted(name) + " no longer exists.");
    LoadGroupNames();
  } catch (const std::exception& e) {
    LogError("RemoveAlbumGroup", e.what());
    Tell("The group " + Quoted(name) + " could not be removed. " + e.what() + ".");
  }
}

void frmMain::RenameAlbumGroup(std::string oldFile) {
  const std::string oldName = GroupNameOf(oldFile);
  // The all-photos list is rebuilt under its own name at every start.
  if (grid::IsAllPhotosGroup(oldName)) return;
  for (;;) {
    const auto answer = qm::InputBox("Rename \"" + oldName + "\" group to ...", "Rename Group", RenameAnswer);
    if (!answer || answer->empty()) return;
    RenameAnswer = *answer;
    std::string name = *answer;
    CheckGroupName(name);
    if (const std::string tooLong = GroupNameTooLong(name); !tooLong.empty()) {
      qm::MsgBox(tooLong, qm::MsgButtons::OK, "Rename Group", qm::MsgIcon::Exclamation);
      continue;
    }
    if (GroupExists(name)) {
      qm::MsgBox("Group name already in use. Try another", qm::MsgButtons::OK, "Rename Group");
      continue;
    }
    const GroupRenameResult r = RenameGroupFiles(oldFile, name);
    if (r.listNameTaken) {
      // A list of that name that the strip does not show yet.
      qm::MsgBox("Group name already in use. Try another", qm::MsgButtons::OK, "Rename Group");
      continue;
    }
    if (!r.listRenamed) {
      Tell("The group " + Quoted(oldName) + " could not be renamed. " + r.listError + ".");
      return;
    }

    const std::string newFile = name + ".lst";
    if (oldFile == LoadedGroupFile()) {
      gAlbumState.CurrentGroupName = name;
      gAlbumState.CurrentGroupFile = newFile;
    }
    lstSlideGroups.ReplaceFile(oldFile, name);
    // The renamed button, and a button whose name it shared, show their new captions.
    for (size_t i = 0; i < lbAlbumList.size(); ++i) {
      if (AlbumListFile[i] == oldFile) AlbumListFile[i] = newFile;
      const int p = lstSlideGroups.IndexOfFile(AlbumListFile[i]);
      if (!pctAlbumList[i]->isHidden() && p >= 0) qm::SetBytesText(lbAlbumList[i], lstSlideGroups.Shown(p));
    }

    if (r.songOfNewNameKept)
      Tell("A music file " + Quoted(name + ".mid") + " was there already. It is kept as it is, and the group " +
           Quoted(name) + " now plays it.");
    else if (!r.songError.empty())
      Tell("The music file " + Quoted(oldName + ".mid") + " could not be renamed. " + r.songError + ".");
    return;
  }
}

bool frmMain::LoadedGroupStillExists() {
  if (qm::FileExists(SlideGroupsFolder + LoadedGroupFile())) return true;
  Tell("The group " + Quoted(gAlbumState.CurrentGroupName) + " no longer exists.");
  return false;
}

bool frmMain::MoveToGroup(const std::string& GroupName) {
  if (!LoadedGroupStillExists()) return false;
  const std::string loaded = LoadedGroupFile();
  switch (MoveSelectedPhotos(GroupName, loaded)) {
    case MoveOutcome::NotAdded:
      Tell("The photo(s) could not be moved to the group " + Quoted(GroupNameOf(GroupName)) + ".");
      return false;
    case MoveOutcome::NotRemoved:
      Tell("The photo(s) were copied to the group " + Quoted(GroupNameOf(GroupName)) +
           " but could not be removed from the group " + Quoted(GroupNameOf(loaded)) + ".");
      break;
    case MoveOutcome::Moved: break;
  }
  ReloadLoadedGroup();
  return true;
}

void frmMain::mnuThumbRemove_Click() {
  if (!LoadedGroupStillExists()) return;
  if (qm::MsgBox("Are you sure you want to remove the photograph(s) from this group?", qm::MsgButtons::YesNo) !=
      qm::MsgAnswer::Yes)
    return;
  if (!RemoveFromGroup(LoadedGroupFile()))
    Tell("The photo(s) could not be removed from the group " + Quoted(gAlbumState.CurrentGroupName) + ".");
  ReloadLoadedGroup();
}

void frmMain::RemovePhotosFromAlbum() {
  if (qm::MsgBox("Are you sure you want to remove selected photograph(s) from the program? The removed "
                 "photograph(s) will be place in the following folder -> " +
                     PhotosFolder + "Removed",
                 qm::MsgButtons::YesNo, "Remove photos from Album") != qm::MsgAnswer::Yes)
    return;
  setCursor(Qt::WaitCursor);
  PhotoRemovalResult r;
  std::vector<std::string> groupsLeft;
  try {
    MakeRemovedFolders();
    r = RemoveSelectedPhotoFiles();
    groupsLeft = RemoveMissingPhotosFromGroup();
    pctAlbumList_MouseDown(gAlbumState.SelectedButton, 1, 0, 0, 0);
  } catch (const std::exception& e) {
    LogError("RemovePhotosFromAlbum", e.what());
  }
  unsetCursor();

  // A photo that stays, a file left behind or a group list still naming a removed
  // photo is told: the user would take the command's silence for success.
  std::string text;
  auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "\n\n") + part; };
  if (!r.keptPhotos.empty())
    add("These photo(s) could not be set aside into the Removed folders and stay in the program:" +
        Listed(r.keptPhotos, r.keptPhotos.size()));
  if (!r.leftFiles.empty()) add("These file(s) of removed photos could not be deleted:" + Listed(r.leftFiles));
  if (!groupsLeft.empty() && !r.removed.empty())
    add("These group list(s) could not be updated and may still name removed photos:" + Listed(groupsLeft));
  if (text.empty()) return;
  LogError("RemovePhotosFromAlbum", std::to_string(r.keptPhotos.size()) + " photo(s) kept, " +
                                        std::to_string(r.leftFiles.size()) + " file(s) left in place, " +
                                        std::to_string(groupsLeft.size()) + " group list(s) not updated");
  Tell(text);
}

void frmMain::ReloadLoadedGroup() {
  LoadSlideGroup(LoadedGroupFile());
  SetGroupListSelect(-1, 0);
}

void frmMain::cmdCreateAlbumGroup_Click() {
  try {
    // One an import left loaded unseen would offer an old list of groups.
    if (frmSearch::IsLoaded() && !frmSearch::Get().isVisible()) frmSearch::Unload();
    frmSearch::Get().exec();
    frmSearch::Unload();
  } catch (const std::exception& e) {
    LogError("cmdCreateAlbumGroup_Click", e.what());
  }
}

void frmMain::mnuEditAdd_Click() { ShowGroupPicker(1); }

void frmMain::mnuEditMove_Click() { ShowGroupPicker(2); }

// A picker for each command, unloaded however it closes.
void frmMain::ShowGroupPicker(int mode) {
  frmGroups& picker = frmGroups::Get();
  picker.setWindowTitle(mode == 1 ? QStringLiteral("Copy photo(s) to ...") : QStringLiteral("Move photo(s) to ..."));
  picker.SetMode(mode);
  picker.exec();
  frmGroups::Unload();
}
