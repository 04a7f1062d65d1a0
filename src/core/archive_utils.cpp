#include "core/archive_utils.h"

#include <algorithm>


namespace {

void TrimBlanks(std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) {
    s.clear();
    return;
  }
  s.erase(s.find_last_not_of(' ') + 1);
  s.erase(0, b);
}

}  // namespace

void SplitString(const std::string& Text, const std::string& Delims, std::vector<std::string>& Parts, int MaxParts) {
  const size_t count = size_t(std::max(MaxParts, 0));
  // One element more than the fields, as callers have always sized the array.
  Parts.assign(count + 1, std::string());
  if (count == 0) return;
  size_t index = 0;
  for (char c : Text) {
    if (Delims.find(c) != std::string::npos) {
      TrimBlanks(Parts[index]);
      if (++index == count) return;  // the text after the last field is not read
    } else {
      Parts[index] += c;
    }
  }
  TrimBlanks(Parts[index]);
}

void SplitFilePath(const std::string& Path, std::string& Folder, std::string& FileName) {
  const size_t slash = Path.rfind('/');
  if (slash == std::string::npos) {
    Folder.clear();
    FileName = Path;
    return;
  }
  // Path may be one of the outputs, so read it before writing either.
  std::string folder = Path.substr(0, slash + 1);
  std::string name = Path.substr(slash + 1);
  Folder = std::move(folder);
  FileName = std::move(name);
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}
