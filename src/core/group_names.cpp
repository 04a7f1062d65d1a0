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

bool SlideGroupList::ReplaceFile(const std::string& oldFile, const std::string& newName) {
  const int at = IndexOfFile(oldFile);
  if (at < 0) return false;
  items_[size_t(at)] = newName;
  files_[size_t(at)] = OwnFile(newName);
  return true;
}

int SlideGroupList::IndexOfFile(const std::string& file) const {
  const auto at = std::find(files_.begin(), files_.end(), file);
  return at == files_.end() ? -1 : int(at - files_.begin());
}

std::string SlideGroupList::FileOf(const std::string& name) const {
  const auto at = std::find(items_.begin(), items_.end(), name);
  return at == items_.end() ? std::string() : files_[size_t(at - items_.begin())];
}

std::string SlideGroupList::Shown(int index) const {
  const std::string& name = List(index);
  return std::count(items_.begin(), items_.end(), name) > 1 ? FileAt(index) : name;
}
