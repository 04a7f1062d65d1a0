#include "core/import_rules.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "core/archive_rules.h"
#include "core/archive_utils.h"
#include "core/grid_rules.h"
#include "core/modquillmont.h"
#include "platform/files.h"

namespace import_rules {

namespace {

// Adds one to a decimal digit string of any length.
std::string Increment(std::string digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  return "1" + digits;
}

// Takes one from a decimal digit string above zero, without leading zeros.
std::string Decrement(std::string digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '0') {
      --digits[i];
      break;
    }
    digits[i] = '9';
  }
  const size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

}  // namespace

std::string BuildFilePattern(const std::vector<bool>& ticked) {
  std::string pattern = kNoTypePattern;
  for (size_t i = 0; i < ticked.size() && i < std::size(kFilterTypes); ++i)
    if (ticked[i]) pattern += std::string(";*.") + kFilterTypes[i];
  return pattern;
}

bool MatchesAnyPattern(const std::string& name, const std::string& patterns) {
  size_t start = 0;
  for (;;) {
    const size_t end = patterns.find(';', start);
    const std::string one = patterns.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!one.empty() && qm::MatchesPattern(name, one)) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

std::vector<std::string> ScanTypesOf(const std::string& pattern) {
  std::vector<std::string> out;
  for (const char* type : kScanTypes)
    if (pattern.find(type) != std::string::npos) out.emplace_back(type);
  return out;
}

std::string NumberFormat(const std::string& startNumber) { return std::string(startNumber.size(), '0'); }

// The numeric value is read as the runtime reads a number from text: leading blanks,
// a sign, then digits; whatever follows (and a text with no digits) counts for nothing.
std::string NextAutoNumber(const std::string& number, const std::string& format) {
  size_t i = number.find_first_not_of(" \t\r\n");
  bool negative = false;
  if (i != std::string::npos && (number[i] == '-' || number[i] == '+')) negative = number[i++] == '-';
  std::string digits;
  while (i != std::string::npos && i < number.size() && number[i] >= '0' && number[i] <= '9') digits += number[i++];
  const size_t first = digits.find_first_not_of('0');
  digits = first == std::string::npos ? "0" : digits.substr(first);

  std::string magnitude;
  bool minus = false;
  if (!negative || digits == "0") {
    magnitude = Increment(digits);
  } else {
    magnitude = Decrement(digits);
    minus = magnitude != "0";
  }
  if (magnitude.size() < format.size()) magnitude.insert(0, format.size() - magnitude.size(), '0');
  return (minus ? "-" : "") + magnitude;
}

std::string DestinationName(const std::string& fileName, bool autoName, const std::string& prefix,
                            const std::string& number) {
  if (!autoName) return fileName;
  const size_t dot = fileName.find('.');
  return prefix + number + (dot == std::string::npos ? std::string() : fileName.substr(dot));
}

bool SkipsAsExisting(bool infoFileExists, bool overwriteInfo) { return infoFileExists && !overwriteInfo; }

bool IsGoodRowName(const std::string& fileName, const std::string& destination) {
  return !NameBreaksLines(fileName) && !NameBreaksLines(destination) && IsPlainFileName(destination);
}

std::string SourcePath(const std::string& folder, const std::string& fileName) {
  if (!folder.empty() && folder.back() == '/') return folder + fileName;
  return folder + "/" + fileName;
}

bool SameFile(const std::string& a, const std::string& b) {
  const std::optional<FileId> id = IdOf(a);
  return id && id == IdOf(b);
}

bool ArchiveFiles::Holds(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  if (!folders_) {
    folders_.emplace();
    for (const std::string& folder : ArchiveFolders())
      if (const std::optional<FileId> id = IdOf(folder)) folders_->push_back(*id);
  }
  // The folder the file really lies in, links to it or to its folder followed.
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    const std::optional<FileId> parent = IdOf(qm::ParentFolder(real));
    std::free(real);
    if (parent && std::find(folders_->begin(), folders_->end(), *parent) != folders_->end()) return true;
  }
  // A hard link has no folder of its own to look at: only the files themselves tell.
  if (st.st_nlink < 2) return false;
  if (!files_) {
    files_.emplace();
    for (const std::string& folder : ArchiveFolders()) {
      std::error_code ec;
      for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        struct stat fs;
        if (::stat(it->path().c_str(), &fs) == 0 && S_ISREG(fs.st_mode)) files_->emplace(fs.st_dev, fs.st_ino);
      }
    }
  }
  return files_->count(FileId(st.st_dev, st.st_ino)) > 0;
}

std::pair<std::string, std::string> SplitScannedPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::string ErrorLine(const std::string& name, const std::string& reason) {
  return name + "    Error=" + reason + "\r";
}

std::vector<std::string> TargetGroups(bool fromSearch, const std::string& loadedGroup, bool loadedGroupExists) {
  std::vector<std::string> out;
  if (!fromSearch && !loadedGroup.empty() && loadedGroupExists && !grid::IsAllPhotosGroup(loadedGroup))
    out.push_back(loadedGroup);
  out.push_back(kAllPhotosGroup);
  return out;
}

}  // namespace import_rules
