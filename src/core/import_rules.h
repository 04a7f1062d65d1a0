#pragma once
// The import's decisions that need no window: the type pattern, the auto-name and
// its number, the existence rule, source paths and the rows an auto-scan splits.
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/archive_rules.h"

namespace import_rules {

// A pattern that matches no file, so that with no type ticked nothing is listed.
inline const std::string kNoTypePattern = "*.abcde";
// The types of the type boxes, in the boxes' order.
inline const char* const kFilterTypes[] = {"bmp", "gif", "jpg", "wmf", "mpg", "mov", "avi"};
// The order in which an auto-scan searches the types.
inline const char* const kScanTypes[] = {"*.jpg", "*.bmp", "*.gif", "*.wmf", "*.mpg", "*.mov", "*.avi"};

// "*.abcde" followed by ";*.<type>" for every ticked type, in the boxes' order.
std::string BuildFilePattern(const std::vector<bool>& ticked);
// Whether a name matches one of the ";"-separated patterns (case folded).
bool MatchesAnyPattern(const std::string& name, const std::string& patterns);
// The scan types, in scan order, whose text the pattern holds.
std::vector<std::string> ScanTypesOf(const std::string& pattern);

// "0" as many times as the start number has characters.
std::string NumberFormat(const std::string& startNumber);
// The number that follows: the numeric value of the text (0 when it has none) plus
// one, at least as wide as the format, so 0100 -> 0101, 9999 -> 10000, abc -> 001.
std::string NextAutoNumber(const std::string& number, const std::string& format);
// The name a row gets in the archive: with auto-naming the prefix, the number and
// the file name from its first dot on (my.trip.jpg -> Image0100.trip.jpg);
// otherwise the file name itself.
std::string DestinationName(const std::string& fileName, bool autoName, const std::string& prefix,
                            const std::string& number);

// A row is skipped when its information file exists, unless the old one is to be
// replaced.
bool SkipsAsExisting(bool infoFileExists, bool overwriteInfo);
// Whether a row's file name and destination name can name files of the archive:
// no line break, and the destination a plain name ("/", "." and ".." would reach
// another folder).
bool IsGoodRowName(const std::string& fileName, const std::string& destination);
// The folder of a row and its file name as one path ("/" added when missing).
std::string SourcePath(const std::string& folder, const std::string& fileName);
// Whether two paths name the same file (links followed); false when either is missing.
bool SameFile(const std::string& a, const std::string& b);

// The archive's own files, known by identity (device and inode), so that a link to
// one is that file: everything in the photo, thumbnail, information, group, audio
// and MIDI folders and in their Removed folders. An import must never read one of
// them as a new photo (it would replace or delete the very file it reads).
class ArchiveFiles {
public:
  // Whether path, links followed, is such a file.
  bool Holds(const std::string& path);

private:
  std::optional<std::vector<FileId>> folders_;
  // Every file's identity, read only when a file with several names comes along.
  std::optional<std::set<FileId>> files_;
};

// A scanned full path as the lists hold it: the folder with its trailing "/", and
// the file name.
std::pair<std::string, std::string> SplitScannedPath(const std::string& path);

// One line of the run's error list: name, four blanks, "Error=", reason, CR alone.
std::string ErrorLine(const std::string& name, const std::string& reason);
// The groups new photos join, in order: the loaded group (unless the import was
// opened from the search dialog, or the loaded group is the all-photos group or
// gone), then the all-photos group.
std::vector<std::string> TargetGroups(bool fromSearch, const std::string& loadedGroup, bool loadedGroupExists);

}  // namespace import_rules
