#include "core/group_names.h"

#include <algorithm>

#include "platform/files.h"

void SlideGroupList::AddItem(const std::string& name) {
  auto at = std::upper_bound(items_.begin(), items_.end(), name, qm::FoldedLess);
  items_.insert(at, name);
}

bool SlideGroupList::ReplaceItem(const std::string& oldName, const std::string& newName) {
  auto at = std::find(items_.begin(), items_.end(), oldName);
  if (at == items_.end()) return false;
  *at = newName;
  return true;
}
