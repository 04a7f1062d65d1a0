#include "core/group_names.h"

#include <algorithm>

#include "platform/files.h"

void SlideGroupList::AddItem(const std::string& name) {
  auto at = std::upper_bound(items_.begin(), items_.end(), name, qm::FoldedLess);
  items_.insert(at, name);
}
