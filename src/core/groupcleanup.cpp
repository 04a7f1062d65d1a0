#include "core/groupcleanup.h"

#include <unordered_map>
#include <vector>

#include "core/check_progress.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/file_list.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/ui_runtime.h"

bool Create_AllPhotos_Group(const std::string& GroupFile) {
  qm::FileList list;
  list.Path = InfoFolder;
  list.Refresh();

  const size_t count = size_t(list.ListCount());
  std::vector<std::string> lines;
  lines.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    // A name no longer than ".info" names no photo.
    std::string name = PhotoNameOfInfo(list.List(int(i)));
    if (!name.empty()) lines.push_back(std::move(name));
    qm::ResumeNext([&] { StepCheckProgress(0.75f, i, count); });
  }

  // Written whole beside the old list and renamed over it, so a failed write
  // leaves the previous list as it was.
  return qm::ResumeNext([&] { qm::WriteTextLinesAtomically(SlideGroupsFolder + GroupFile, lines); });
}

void RemoveMissingPhotosFromGroup() {
  qm::SetScreenPointer(qm::Pointer::Hourglass);

  // A photo usually stands in several groups; measure its information file once.
  std::unordered_map<std::string, bool> present;
  auto survives = [&](const std::string& name) {
    if (name.empty()) return false;
    auto [it, fresh] = present.try_emplace(name, false);
    if (fresh) qm::ResumeNext([&] { it->second = qm::FileLen(InfoFolder + name + ".info") > 0; });
    return it->second;
  };

  // The listing is taken once, so a rewritten or unreadable file is never met again.
  qm::FileList groups;
  groups.Path = SlideGroupsFolder;
  groups.Refresh();
  for (int i = 0; i < groups.ListCount(); ++i) {
    const std::string path = SlideGroupsFolder + groups.List(i);
    std::vector<std::string> lines;
    if (!qm::ResumeNext([&] { lines = qm::ReadTextLines(path); })) continue;

    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (auto& line : lines)
      if (survives(line)) kept.push_back(std::move(line));
    if (kept.size() == lines.size()) continue;  // nothing to drop: leave the file untouched

    // A failed rewrite leaves the group as it was.
    qm::ResumeNext([&] { qm::WriteTextLinesAtomically(path, kept); });
  }

  qm::SetScreenPointer(qm::Pointer::Default);
}
