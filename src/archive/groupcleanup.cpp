#include "archive/groupcleanup.h"

#include <unordered_map>
#include <vector>

#include "archive/modquillmont.h"
#include "archive/splash_progress.h"
#include "platform/file_list.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/ui_runtime.h"

namespace {

// ".info" is five characters; a name no longer than that names no photo.
constexpr size_t kInfoSuffixLen = 5;

}  // namespace

bool Create_AllPhotos_Group(const std::string& GroupFile) {
  qm::FileList list;
  list.Path = InfoFolder;
  list.Refresh();

  const int count = list.ListCount();
  const int last = count - 1;
  std::vector<std::string> lines;
  lines.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    const std::string& item = list.List(i);
    if (item.size() > kInfoSuffixLen) lines.push_back(item.substr(0, item.size() - kInfoSuffixLen));
    const float progress = last > 0 ? 0.75f + 0.25f * float(i) / float(last) : 0.75f;
    qm::ResumeNext([&] { UpdateSplashProgress(progress, 1); });
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
