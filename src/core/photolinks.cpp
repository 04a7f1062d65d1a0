#include "core/photolinks.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/errorlog.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

const std::string kLinkKey = "PHOTOPATH";
const std::string kOwnFolderLink = "\\Photos\\";
constexpr std::string_view kInfoSuffix = ".info";

bool IsRelativeLink(const std::string& value) { return !value.empty() && value[0] == '\\'; }

// The default place of a photo whose information file names none.
std::string DefaultPhotoPath(const std::string& InfoName) { return RootFolder + "/Photos/" + PhotoNameOfInfo(InfoName); }

}  // namespace

std::string PhotoNameOfInfo(const std::string& InfoName) {
  const size_t n = kInfoSuffix.size();
  return InfoName.size() >= n ? InfoName.substr(0, InfoName.size() - n) : std::string();
}

bool IsInfoFileName(const std::string& name) {
  return name.size() > kInfoSuffix.size() && std::string_view(name).ends_with(kInfoSuffix);
}

std::string ResolveStoredLink(const std::string& value) {
  if (!IsRelativeLink(value)) return value;
  std::string rel = value;
  std::replace(rel.begin(), rel.end(), '\\', '/');
  // The stored value brings its own leading separator.
  return RootFolder + rel;
}

std::string GetPhotoLink(const std::string& InfoName) {
  try {
    const std::string infoPath = InfoFolder + InfoName;
    // An empty information file holds no link; its length also proves it is there.
    if (qm::FileLen(infoPath) < 1) return DefaultPhotoPath(InfoName);
    // Only the first link line counts, so the walk stops there: a large file is
    // never held whole.
    std::optional<std::string> link;
    // A link cut at the reader's bound is longer than any path, so it names no
    // file, as a damaged link does.
    qm::ForEachTextLine(infoPath, [&](const std::string& line, bool) {
      if (qm::ToUpperAscii(line.substr(0, kLinkKey.size())) != kLinkKey) return true;
      // The value starts after "PhotoPath" and its separator, whatever that is.
      link = line.size() > kLinkKey.size() + 1 ? line.substr(kLinkKey.size() + 1) : "";
      return false;
    });
    if (link) {
      const std::string& value = *link;
      // The link written for a photo of the program's photo folder: the name's own
      // backslashes (legal in a name here) are no folder separators.
      const std::string name = PhotoNameOfInfo(InfoName);
      if (value == kOwnFolderLink + name) return RootFolder + "/Photos/" + name;
      return ResolveStoredLink(value);
    }
    return DefaultPhotoPath(InfoName);
  } catch (const qm::RuntimeError& e) {
    LogError("GetPhotoLink", e);
    return "";
  }
}

bool CheckPhotoLink(const std::string& LinkPath) {
  try {
    return qm::FileLen(ResolveStoredLink(LinkPath)) > 0;
  } catch (const qm::RuntimeError& e) {
    if (e.Number() != qm::ErrFileNotFound && e.Number() != qm::ErrPathNotFound) LogError("CheckPhotoLink", e);
    return false;
  }
}
