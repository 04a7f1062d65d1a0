#include "core/groupfiles.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "core/albumstate.h"
#include "core/errorlog.h"
#include "core/grid_rules.h"
#include "core/group_names.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

std::string GroupFileOf(const std::string& group) {
  // Of two lists giving the name, the loaded group's own.
  const std::string& loaded = gAlbumState.CurrentGroupFile;
  if (group == gAlbumState.CurrentGroupName && lstSlideGroups.IndexOfFile(loaded) >= 0) return loaded;
  const std::string listed = lstSlideGroups.FileOf(group);
  return listed.empty() ? group + ".lst" : listed;
}

std::string LoadedListFile() {
  const std::string& file = gAlbumState.CurrentGroupFile;
  return file.empty() ? GroupFileOf(gAlbumState.CurrentGroupName) : file;
}

std::string GroupNameOf(const std::string& file) {
  constexpr std::string_view kSuffix = ".lst";
  const size_t stem = file.size() >= kSuffix.size() ? file.size() - kSuffix.size() : 0;
  if (file.size() >= kSuffix.size() && qm::EqualsNoCase(file.substr(stem), std::string(kSuffix)))
    return file.substr(0, stem);
  return file;
}

std::vector<std::string> ReadGroupLines(const std::string& path, const std::string& procName) {
  try {
    return qm::ReadTextLines(path);
  } catch (const qm::RuntimeError& e) {
    if (e.Number() == qm::ErrOutOfMemory) LogError(procName, e.Description() + " (" + path + ")");
    throw;
  }
}

bool ReadGroupFile(const std::string& file) {
  std::vector<std::string> lines;
  try {
    lines = ReadGroupLines(SlideGroupsFolder + file, "ReadGroupFile");
  } catch (const qm::RuntimeError&) {
    // Nothing is committed yet, so the loaded group stays as it was.
    return false;
  }

  lines.insert(lines.begin(), std::string());  // the placeholder entry 0
  const int n = int(lines.size() - 1);

  PhotoNames = std::move(lines);
  SelectedFlags.assign(PhotoNames.size(), 0);
  if (n <= grid::kSlotsPerPage) {
    VScroll1State.Enabled = false;
    VScroll1State.Max = 1;
  } else {
    VScroll1State.Min = 1;
    VScroll1State.Max = grid::PageCountFor(n);
    VScroll1State.Enabled = true;
  }
  // A scroll bar keeps its value inside its range when the range changes.
  VScroll1State.Value = std::clamp(VScroll1State.Value, std::min(VScroll1State.Min, VScroll1State.Max),
                                   std::max(VScroll1State.Min, VScroll1State.Max));
  gAlbumState.PhotoCount = n;
  gAlbumState.CurrentGroupName = GroupNameOf(file);
  gAlbumState.CurrentGroupFile = file;
  return true;
}

bool AddToGroup(const std::string& TargetGroup) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < SelectedFlags.size(); ++i) {
    if (SelectedFlags[i] != 1) continue;
    if (i >= PhotoNames.size()) return false;
    lines.push_back(PhotoNames[i]);
  }
  try {
    // Ends a last line that has no line end first, so no two names are glued.
    qm::AppendTextLines(SlideGroupsFolder + TargetGroup, lines);
    return true;
  } catch (const qm::RuntimeError&) {
    return false;
  }
}

bool RemoveFromGroup(const std::string& file) {
  const std::string path = SlideGroupsFolder + file;
  try {
    const std::vector<std::string> lines = ReadGroupLines(path, "RemoveFromGroup");
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
      const size_t k = i + 1;
      // Only a line whose place and name both match a selected photo goes, so a
      // list that changed since it was loaded loses nothing else.
      const bool drop = k < SelectedFlags.size() && SelectedFlags[k] == 1 && k < PhotoNames.size() &&
                        qm::EqualsNoCase(lines[i], PhotoNames[k]);
      if (!drop) kept.push_back(lines[i]);
    }
    qm::WriteTextLinesAtomically(path, kept);
    return true;
  } catch (const qm::RuntimeError&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool GroupExists(const std::string& GroupName) {
  if (GroupName.empty()) return false;
  const auto& items = lstSlideGroups.Items();
  return std::any_of(items.begin(), items.end(),
                     [&](const std::string& g) { return qm::EqualsNoCase(g, GroupName); });
}

bool CheckGroupName(std::string& GroupName) {
  static const char kUnsafe[] = "\"|.<>?*:/\\";
  bool clean = true;
  std::string out;
  out.reserve(GroupName.size());
  for (char c : GroupName) {
    if (c != '\0' && std::strchr(kUnsafe, c)) {
      out += '_';
      clean = false;
    } else {
      out += c;
    }
  }
  GroupName = std::move(out);
  return clean;
}
