#pragma once
// Which information files a search finds, and what an append writes. Each field
// box is tested against the value of its key's lines, never against the key: a
// title criterion "tle" must not find every photo that merely has a title line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The texts of the search boxes; an empty box takes no part.
struct SearchCriteria {
  std::string Title, Year, Photographer, Place, People, Event, Keywords, Filename;
};

// A criterion passes a text when it is empty, is exactly "*", or occurs anywhere
// in the text without regard to (ASCII) case. Nothing else is a wildcard.
bool CriterionPasses(std::string_view criterion, std::string_view text);

// Tests one information file's text as it streams past, a chunk at a time; it
// holds no more than a key and about a criterion's length of a line, so a file of
// any size and any bytes is searched in bounded memory. Every line whose key
// (before the first "=", any case) names a field with an active criterion must
// pass it; lines of other keys, and files without the key's line, pass.
class InfoFileMatcher {
public:
  explicit InfoFileMatcher(const SearchCriteria& criteria);
  // Whether any field criterion would need the file's text at all.
  bool NeedsText() const { return active_; }
  void Start();
  // False once the file can no longer match, so the reader may stop.
  bool Feed(std::string_view bytes);
  // The end of the file: true when every tested line passed.
  bool Finish();

private:
  void EndLine();
  void SearchWindow();

  struct Field {
    std::string key;        // upper case, with its "="
    std::string criterion;  // upper case; empty when the box takes no part
  };
  std::vector<Field> fields_;
  bool active_ = false;
  // The line in hand.
  enum class Phase { Key, Value, Skip } phase_ = Phase::Key;
  std::string head_;    // the line's first characters while its key is unknown
  const Field* field_ = nullptr;
  std::string window_;  // value characters not yet searched, upper case
  bool found_ = false;
  bool failed_ = false;
};

// The whole text at once.
bool InfoTextMatches(const SearchCriteria& criteria, std::string_view text);

// Whether the information file folder + name is found: the filename criterion
// against the name first, then the fields against the text, read a chunk at a
// time and only when a field criterion needs it. Throws qm::RuntimeError when
// the file cannot be read.
bool InfoFileMatches(const SearchCriteria& criteria, const std::string& folder, const std::string& name);
// The same with a matcher made once for a whole search.
bool InfoFileMatches(const SearchCriteria& criteria, InfoFileMatcher& matcher, const std::string& folder,
                     const std::string& name);

// "Searched n (p%) -> Found m", the percentage a whole number (halves up).
std::string SearchProgressText(std::size_t searched, std::size_t total, std::size_t found);
// The bar's width after searched of total files, for a track of trackWidth.
int SearchProgressWidth(std::size_t searched, std::size_t total, int trackWidth);

// The group-list lines of a 1-based result list (entry 0 is not used): each
// entry up to its last "." (beach.jpg.info gives beach.jpg); entries without a
// "." are skipped.
std::vector<std::string> GroupLinesOf(const std::vector<std::string>& results);

// The group a typed name appends to: the existing group's own spelling when one
// matches without regard to case, so no second list differing only in case is
// made; otherwise the name as typed.
std::string AppendTargetGroup(const std::string& typed, const std::vector<std::string>& groups);
