#include "platform/text_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"
#include "platform/runtime_error.h"

namespace qm {

namespace {

// Closes the file however the walk ends.
class FileHandle {
public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() { ::close(fd_); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int get() const { return fd_; }

private:
  int fd_;
};

[[noreturn]] void Fail(const std::string& path, int err) {
  if (err == ENOENT && !FolderExists(ParentFolder(path)) && !ParentFolder(path).empty())
    throw RuntimeError(ErrPathNotFound);
  ThrowFromErrno(err);
}

}  // namespace

void ForEachTextLine(const std::string& path, const std::function<bool(const std::string&)>& visit) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail(path, errno);
  FileHandle file(fd);
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) throw RuntimeError(ErrPathFileAccess);

  std::string line;
  bool afterCR = false;  // a LF right after a CR ends nothing more, even across reads
  bool open = false;     // characters (or nothing) since the last line end
  char buf[65536];
  for (;;) {
    const ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    if (r == 0) break;
    for (ssize_t i = 0; i < r; ++i) {
      const char c = buf[i];
      if (c == '\n' && afterCR) {
        afterCR = false;
        continue;
      }
      afterCR = c == '\r';
      if (c == '\r' || c == '\n') {
        if (!visit(line)) return;
        line.clear();
        open = false;
      } else {
        line += c;
        open = true;
      }
    }
  }
  if (open) visit(line);
}

}  // namespace qm
