#include "core/import_group_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/errorlog.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

off_t SizeOf(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 ? st.st_size : off_t(-1);
}

}  // namespace

ImportGroupLines::ImportGroupLines(std::vector<Target> targets) {
  for (Target& t : targets) lists_.push_back(List{std::move(t)});
}

void ImportGroupLines::Add(const std::string& photoName) {
  Keep();
  for (List& list : lists_) {
    if (list.failed) continue;
    const off_t before = SizeOf(list.target.file);
    try {
      qm::AppendTextLines(list.target.file, {photoName});
    } catch (const qm::RuntimeError& e) {
      list.failed = true;
      failures_.push_back({list.target.group, e.Description()});
      continue;
    }
    if (!list.appended) list.atStart = before;
    list.appended = list.pending = true;
    list.beforePending = before;
  }
}

void ImportGroupLines::Keep() {
  for (List& list : lists_) list.pending = false;
}

void ImportGroupLines::TakeBack() {
  for (List& list : lists_)
    if (list.pending) CutBack(list, list.beforePending);
  Keep();
}

void ImportGroupLines::TakeBackAll() {
  for (List& list : lists_)
    if (list.appended) CutBack(list, list.atStart);
  for (List& list : lists_) list.appended = list.pending = false;
}

void ImportGroupLines::CutBack(const List& list, off_t size) {
  const std::string& file = list.target.file;
  bool done = false;
  if (size == kNoFile) {
    done = ::unlink(file.c_str()) == 0;
  } else if (const int fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC); fd >= 0) {
    done = ::ftruncate(fd, size) == 0;
    ::close(fd);
  }
  // The line stays; the start drops it when its photo never came.
  if (!done) LogError("ImportGroupLines", "A line could not be taken back from " + file);
}
