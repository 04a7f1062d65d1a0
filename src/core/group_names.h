#pragma once
// The sorted list of every group's name (never shown): sorted without regard to
// case, so "  All Photos  " with its leading blanks comes first. Each entry keeps
// the list file it was read from, so a group is found by its file's own name, byte
// for byte ("Trip.LST", "Caf\xe9.lst"), also where two files give one name
// ("Trip.LST" and "Trip.lst").
#include <string>
#include <vector>

class SlideGroupList {
public:
  void Clear();
  // A group and its list file ("" for the name followed by ".lst").
  void AddItem(const std::string& name, const std::string& file = "");
  // Gives the entry of that list file a new name (and the list file of the new
  // name) in the same place (the list is sorted again only when it is next
  // filled); false when no entry has the file.
  bool ReplaceFile(const std::string& oldFile, const std::string& newName);
  int ListCount() const { return int(items_.size()); }
  const std::string& List(int index) const { return items_.at(size_t(index)); }
  const std::vector<std::string>& Items() const { return items_; }
  const std::string& FileAt(int index) const { return files_.at(size_t(index)); }
  // The entry of exactly that list file; -1 when none has it.
  int IndexOfFile(const std::string& file) const;
  // The list file of the first entry of exactly that name; "" when none has it.
  std::string FileOf(const std::string& name) const;
  // What a button or a row shows for an entry: its name, or the name of its list
  // file where another entry has the same name, so the two can be told apart.
  std::string Shown(int index) const;

private:
  std::vector<std::string> items_;
  std::vector<std::string> files_;  // beside items_
};

inline SlideGroupList lstSlideGroups;
