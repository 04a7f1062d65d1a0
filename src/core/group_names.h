#pragma once
// The sorted list of every group's name (never shown): sorted without regard to
// case, so "  All Photos  " with its leading blanks comes first.
#include <string>
#include <vector>

class SlideGroupList {
public:
  void Clear() { items_.clear(); }
  void AddItem(const std::string& name);
  // Gives the entry of that exact name a new one in the same place (the list is
  // sorted again only when it is next filled); false when no entry has the name.
  bool ReplaceItem(const std::string& oldName, const std::string& newName);
  int ListCount() const { return int(items_.size()); }
  const std::string& List(int index) const { return items_.at(size_t(index)); }
  const std::vector<std::string>& Items() const { return items_; }

private:
  std::vector<std::string> items_;
};

inline SlideGroupList lstSlideGroups;
