#include "core/groupcleanup.h"

#include <unordered_map>
#include <vector>

#include "core/archive_rules.h"
#include "core/check_progress.h"
#include "core/errorlog.h"
#include "core/groupfiles.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/file_list.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/runtime_error.h"
#include "platform/ui_runtime.h"

bool Create_AllPhotos_Group(const std::string& GroupFile) {
  qm::FileList list;
  list.Path = InfoFolder;
  // A folder that cannot be listed, or is not there, is no empty folder: the list
  // stays as it was.
  try {
    RequireInfoFolder();
    list.Refresh();
  } catch (const qm::RuntimeError& e) {
    LogError("Create_AllPhotos_Group", e);
    return false;
  }

  const size_t count = size_t(list.ListCount());
  std::vector<std::string> lines;
  lines.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    // Other files of the folder name no photo, and a name with a line break would
    // stand as two lines.
    const std::string& file = list.List(int(i));
    if (IsInfoFileName(file) && !NameBreaksLines(file)) lines.push_back(PhotoNameOfInfo(file));
    qm::ResumeNext([&] { StepCheckProgress(0.75f, i, count); });
  }

  // Written whole beside the old list and renamed over it, so a failed write
  // leaves the previous list as it was.
  return qm::ResumeNext([&] { qm::WriteTextLinesAtomically(SlideGroupsFolder + GroupFile, lines); });
}

std::vector<std::string> RemoveMissingPhotosFromGroup() {
  qm::SetScreenPointer(qm::Pointer::Hourglass);
  std::vector<std::string> notCleaned;

  // A photo usually stands in several groups; measure its information file once.
  // Only "file not found" drops a line: a file that cannot be looked up for
  // another reason (a folder that cannot be read) may well be there.
  std::unordered_map<std::string, bool> present;
  std::string firstFailure;
  size_t failures = 0;
  // A name too long for an information file (a line cut by the reader among them)
  // names no photo, whatever looking it up would say.
  const size_t nameMax = qm::NameMax(InfoFolder), longest = nameMax > 5 ? nameMax - 5 : 0;
  auto survives = [&](const std::string& name) {
    if (name.empty() || name.size() > longest) return false;
    auto [it, fresh] = present.try_emplace(name, false);
    if (!fresh) return it->second;
    const std::string info = InfoFolder + name + ".info";
    try {
      it->second = qm::FileLen(info) > 0;
    } catch (const qm::RuntimeError& e) {
      it->second = e.Number() != qm::ErrFileNotFound;
      if (it->second && failures++ == 0) firstFailure = e.Description() + " (" + info + ")";
    }
    return it->second;
  };

  // The listing is taken once, so a rewritten or unreadable file is never met again.
  // Only the group lists: the folder may be a folder of other files (the program
  // folder, with the program in it), none of which is read or rewritten.
  qm::FileList groups;
  groups.Path = SlideGroupsFolder;
  groups.Pattern = "*.lst";
  try {
    groups.Refresh();
  } catch (const qm::RuntimeError& e) {
    LogError("RemoveMissingPhotosFromGroup", e);
    notCleaned.push_back(SlideGroupsFolder);
  }
  for (int i = 0; i < groups.ListCount(); ++i) {
    const std::string path = SlideGroupsFolder + groups.List(i);
    // A failed read or rewrite, or a list too large to hold, leaves that group as
    // it was and the others are cleaned all the same.
    const bool cleaned = qm::ResumeNext([&] {
      std::vector<std::string> lines = ReadGroupLines(path, "RemoveMissingPhotosFromGroup");
      const size_t before = lines.size();
      std::erase_if(lines, [&](const std::string& line) { return !survives(line); });
      if (lines.size() != before) qm::WriteTextLinesAtomically(path, lines);  // else untouched
    });
    if (!cleaned) notCleaned.push_back(path);
  }
  // One line for the lot, so an unreadable folder does not flood the log.
  if (failures > 0)
    LogError("RemoveMissingPhotosFromGroup",
             firstFailure + (failures > 1 ? "; " + std::to_string(failures) + " photos kept unchecked" : "; kept"));

  qm::SetScreenPointer(qm::Pointer::Default);
  return notCleaned;
}
