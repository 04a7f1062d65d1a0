#include "core/group_names.h"

#include <algorithm>

#include "platform/files.h"

namespace {
std::string OwnFile(const std::string& name) { return name + ".lst"; }
}  // namespace

void SlideGroupList::Clear() {
  items_.clear();
  files_.clear();
}

void SlideGroupList::AddItem(const std::string& name, const std::string& file) {
  const auto at = std::upper_bound(items_.begin(), items_.end(), name, qm::FoldedLess);
  files_.insert(files_.begin() + (at - items_.begin()), file.empty() ? OwnFile(name) : file);
  items_.insert(at, name);
}

bool SlideGroupList::ReplaceItem(const std::string& oldName, const std::string& newName) {
  const auto at = std::find(items_.begin(), items_.end(), oldName);
  if (at == items_.end()) return false;
  *at = newName;
  files_[size_t(at - items_.begin())] = OwnFile(newName);
  return true;
}

std::string SlideGroupList::FileOf(const std::string& name) const {
  const auto at = std::find(items_.begin(), items_.end(), name);
  return at == items_.end() ? std::string() : files_[size_t(at - items_.begin())];
}
