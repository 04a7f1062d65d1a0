#pragma once
// The sorted list of every group's name (never shown): sorted without regard to
// case, so "  All Photos  " with its leading blanks comes first. Each entry keeps
// the list file it was read from, so a group is found by its file's own name, byte
// for byte ("Trip.LST", "Caf\xe9.lst").
#include <string>
#include <vector>

class SlideGroupList {
public:
  void Clear();
  // A group and its list file ("" for the name followed by ".lst").
  void AddItem(const std::string& name, const std::string& file = "");
  // Gives the entry of that exact name a new one (and the list file of the new
  // name) in the same place (the list is sorted again only when it is next
  // filled); false when no entry has the name.
  bool ReplaceItem(const std::string& oldName, const std::string& newName);
  int ListCount() const { return int(items_.size()); }
  const std::string& List(int index) const { return items_.at(size_t(index)); }
  const std::vector<std::string>& Items() const { return items_; }
  // The list file of the entry of exactly that name; "" when none has it.
  std::string FileOf(const std::string& name) const;

private:
  std::vector<std::string> items_;
  std::vector<std::string> files_;  // beside items_
};

inline SlideGroupList lstSlideGroups;
