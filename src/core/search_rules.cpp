#include "core/search_rules.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

std::string UpperOf(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Upper(c);
  return out;
}

// A criterion that tests nothing: an empty box, or "*".
bool PassesAll(std::string_view criterion) { return criterion.empty() || criterion == "*"; }

// Value characters gathered before they are searched and cut back.
constexpr std::size_t kWindowChunk = 4096;

}  // namespace

bool CriterionPasses(std::string_view criterion, std::string_view text) {
  if (PassesAll(criterion)) return true;
  const auto it = std::search(text.begin(), text.end(), criterion.begin(), criterion.end(),
                              [](char a, char b) { return Upper(a) == Upper(b); });
  return it != text.end();
}

InfoFileMatcher::InfoFileMatcher(const SearchCriteria& c) {
  const std::pair<const char*, const std::string*> boxes[] = {
      {"TITLE=", &c.Title},   {"YEAR=", &c.Year},     {"PHOTOGRAPHER=", &c.Photographer},
      {"PLACE=", &c.Place},   {"PEOPLE=", &c.People}, {"EVENT=", &c.Event},
      {"KEYWORDS=", &c.Keywords},
  };
  for (const auto& [key, criterion] : boxes)
    if (!PassesAll(*criterion)) fields_.push_back({key, UpperOf(*criterion)});
  active_ = !fields_.empty();
}

void InfoFileMatcher::Start() {
  phase_ = Phase::Key;
  head_.clear();
  window_.clear();
  field_ = nullptr;
  found_ = false;
  failed_ = false;
}

bool InfoFileMatcher::Feed(std::string_view bytes) {
  for (const char c : bytes) {
    if (failed_) return false;
    if (c == '\r' || c == '\n') {
      EndLine();
      continue;
    }
    switch (phase_) {
      case Phase::Key: {
        head_ += Upper(c);
        bool prefix = false;
        for (const Field& f : fields_) {
          if (f.key.size() < head_.size() || f.key.compare(0, head_.size(), head_) != 0) continue;
          if (f.key.size() == head_.size()) {
            field_ = &f;
            phase_ = Phase::Value;
            found_ = false;
            window_.clear();
          }
          prefix = true;
          break;
        }
        if (!prefix) phase_ = Phase::Skip;
        break;
      }
      case Phase::Value:
        if (!found_) {
          window_ += Upper(c);
          if (window_.size() >= field_->criterion.size() + kWindowChunk) SearchWindow();
        }
        break;
      case Phase::Skip: break;
    }
  }
  return !failed_;
}

// Searches what was gathered, keeping only the tail a match across the cut could
// still begin in.
void InfoFileMatcher::SearchWindow() {
  const std::string& needle = field_->criterion;
  if (window_.find(needle) != std::string::npos) {
    found_ = true;
    window_.clear();
    return;
  }
  const std::size_t keep = needle.size() - 1;
  if (window_.size() > keep) window_.erase(0, window_.size() - keep);
}

void InfoFileMatcher::EndLine() {
  if (phase_ == Phase::Value && !found_) {
    SearchWindow();
    if (!found_) failed_ = true;
  }
  phase_ = Phase::Key;
  head_.clear();
  window_.clear();
  field_ = nullptr;
}

bool InfoFileMatcher::Finish() {
  EndLine();
  return !failed_;
}

bool InfoTextMatches(const SearchCriteria& criteria, std::string_view text) {
  InfoFileMatcher m(criteria);
  m.Start();
  m.Feed(text);
  return m.Finish();
}

bool InfoFileMatches(const SearchCriteria& criteria, const std::string& folder, const std::string& name) {
  InfoFileMatcher m(criteria);
  return InfoFileMatches(criteria, m, folder, name);
}

bool InfoFileMatches(const SearchCriteria& criteria, InfoFileMatcher& matcher, const std::string& folder,
                     const std::string& name) {
  if (!CriterionPasses(criteria.Filename, name)) return false;
  if (!matcher.NeedsText()) return true;
  const std::string path = folder + name;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) qm::ThrowFromErrno(errno);
  matcher.Start();
  char buf[16384];
  for (;;) {
    const ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      const int err = errno;
      ::close(fd);
      qm::ThrowFromErrno(err);
    }
    if (r == 0 || !matcher.Feed(std::string_view(buf, std::size_t(r)))) break;
  }
  ::close(fd);
  return matcher.Finish();
}

std::string SearchProgressText(std::size_t searched, std::size_t total, std::size_t found) {
  const std::size_t percent = total == 0 ? 0 : (200 * searched + total) / (2 * total);
  return "Searched " + std::to_string(searched) + " (" + std::to_string(percent) + "%) -> Found " +
         std::to_string(found);
}

int SearchProgressWidth(std::size_t searched, std::size_t total, int trackWidth) {
  if (total == 0 || trackWidth <= 0) return 0;
  return int(std::min(searched, total) * std::size_t(trackWidth) / total);
}

std::vector<std::string> GroupLinesOf(const std::vector<std::string>& results) {
  std::vector<std::string> lines;
  for (std::size_t k = 1; k < results.size(); ++k) {
    const std::size_t dot = results[k].rfind('.');
    // A line with no name would show as an empty place in the group.
    if (dot == std::string::npos || dot == 0) continue;
    lines.push_back(results[k].substr(0, dot));
  }
  return lines;
}

std::string AppendTargetGroup(const std::string& typed, const std::vector<std::string>& groups) {
  for (const std::string& g : groups)
    if (qm::EqualsNoCase(g, typed)) return g;
  return typed;
}
