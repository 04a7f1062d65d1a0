#pragma once
// The hidden file list a window carries: a folder, a pattern and the sorted names of
// its regular, non-hidden files as of the last Refresh. Refresh throws when the
// folder is there but cannot be listed, and keeps the names it had.
#include <string>
#include <vector>

#include "platform/files.h"

namespace qm {

class FileList {
public:
  std::string Path;          // folder, with or without the trailing "/"
  std::string Pattern = "*";

  void Refresh() { items_ = ListFiles(Path, Pattern); }
  int ListCount() const { return int(items_.size()); }
  const std::string& List(int index) const { return items_.at(size_t(index)); }

private:
  std::vector<std::string> items_;
};

}  // namespace qm
