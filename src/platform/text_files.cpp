// Text files: lines read a bounded line at a time, files rewritten whole through a
// temporary file, and lines appended to a file opened once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <new>
#include <utility>

#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace qm {

using namespace fileio;

namespace {

// The first CR or LF in [from, to), or to.
const char* FindLineEnd(const char* from, const char* to) {
  const auto* lf = static_cast<const char*>(std::memchr(from, '\n', size_t(to - from)));
  const char* stop = lf ? lf : to;
  const auto* cr = static_cast<const char*>(std::memchr(from, '\r', size_t(stop - from)));
  return cr ? cr : stop;
}

}  // namespace

void ForEachRawTextLine(const std::string& path, const RawTextLineVisitor& visit, std::size_t maxLength) {
  std::string line;
  bool cut = false;
  bool afterCR = false;  // a line ended by CR waits for the next byte: a LF there is its end too
  bool open = false;     // characters (or nothing) since the last line end
  bool more = true;
  auto deliver = [&](const char* end) {
    more = visit(line, end, cut);
    line.clear();
    cut = false;
    open = false;
  };
  ReadChunks(path, [&](const char* data, size_t n) {
    const char* at = data;
    const char* const end = data + n;
    while (at < end && more) {
      if (std::exchange(afterCR, false)) {
        const bool lf = *at == '\n';
        deliver(lf ? "\r\n" : "\r");
        if (lf) ++at;
        continue;
      }
      // Whole runs at a time: a line of gigabytes is passed over at the speed of
      // the read, keeping only its first maxLength bytes.
      const char* stop = FindLineEnd(at, end);
      if (stop > at) {
        open = true;
        const size_t run = size_t(stop - at), room = maxLength - line.size();
        cut = cut || run > room;
        line.append(at, std::min(run, room));
      }
      at = stop;
      if (at == end) break;
      if (*at++ == '\r')
        afterCR = true;
      else
        deliver("\n");
    }
    return more;
  });
  if (more && afterCR)
    deliver("\r");
  else if (more && open)
    deliver("");
}

void ForEachTextLine(const std::string& path, const TextLineVisitor& visit, std::size_t maxLength) {
  ForEachRawTextLine(path, [&](const std::string& line, const char*, bool cut) { return visit(line, cut); },
                     maxLength);
}

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text, start, i - start);
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.emplace_back(text, start, n - start);
  return lines;
}

std::vector<std::string> ReadTextLines(const std::string& path, std::size_t maxLength) {
  try {
    std::vector<std::string> lines;
    ForEachTextLine(
        path,
        [&](const std::string& line, bool) {
          lines.push_back(line);
          return true;
        },
        maxLength);
    return lines;
  } catch (const std::bad_alloc&) {
    // The lines read so far are gone by now: the failure is this file's alone.
    throw RuntimeError(ErrOutOfMemory);
  }
}

void ReplaceFileAtomically(const std::string& path, const std::string& content, bool durable) {
  std::string tmp;
  int fd = MakeTempBeside(path, tmp);
  try {
    WriteAll(fd, content.data(), content.size(), path);
    if (durable && ::fsync(fd) != 0) ThrowFor(path, errno);
    int rc = ::close(fd);
    fd = -1;
    if (rc != 0) ThrowFor(path, errno);
    struct stat st {};
    const bool there = ::lstat(path.c_str(), &st) == 0;
    // Renamed over, a link would be cut off from the file it leads to or shares.
    if (there && (S_ISLNK(st.st_mode) || (S_ISREG(st.st_mode) && st.st_nlink > 1))) throw LinkRefused();
    ::chmod(tmp.c_str(), there ? (st.st_mode & 07777) : NewFileMode());
    RenameFile(tmp, path);
  } catch (...) {
    if (fd >= 0) ::close(fd);
    ::unlink(tmp.c_str());
    throw;
  }
}

void WriteTextLinesAtomically(const std::string& path, const std::vector<std::string>& lines) {
  std::string content;
  size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  content.reserve(total);
  for (const auto& l : lines) {
    content += l;
    content += "\r\n";
  }
  ReplaceFileAtomically(path, content);
}

void AppendTextLines(const std::string& path, const std::vector<std::string>& lines) {
  AppendFile file(path);
  file.Append(lines);
  file.Close();
}

AppendFile::AppendFile(const std::string& path) : path_(path) { fd_ = OpenOwnFile(path, O_RDWR | O_APPEND, created_); }

AppendFile::~AppendFile() { Release(); }

void AppendFile::Append(const std::vector<std::string>& lines) {
  if (fd_ < 0) throw RuntimeError(ErrPathFileAccess);
  // Another name may have been given to the file since it was opened.
  struct stat st {};
  RequireOwnFile(fd_, path_, st);
  std::string content;
  if (st.st_size > 0) {
    char last = 0;
    if (::pread(fd_, &last, 1, st.st_size - 1) == 1 && last != '\n' && last != '\r') content = "\r\n";
  }
  for (const auto& l : lines) {
    content += l;
    content += "\r\n";
  }
  try {
    WriteAll(fd_, content.data(), content.size(), path_);
  } catch (...) {
    // Half a line under the file's own name would read as a real entry: cut the
    // file back to what it held (a file this open made goes when it is closed).
    if (::ftruncate(fd_, st.st_size) != 0) {
      // Nothing more to be done; the write's own failure is the one to report.
    }
    throw;
  }
  written_ = true;
}

std::int64_t AppendFile::Size() const {
  if (fd_ < 0) throw RuntimeError(ErrPathFileAccess);
  struct stat st {};
  RequireOwnFile(fd_, path_, st);
  return st.st_size;
}

void AppendFile::CutBack(std::int64_t size) {
  if (fd_ < 0) throw RuntimeError(ErrPathFileAccess);
  struct stat st {};
  RequireOwnFile(fd_, path_, st);
  if (::ftruncate(fd_, off_t(size)) != 0) ThrowFor(path_, errno);
  if (size == 0 && created_) written_ = false;
}

void AppendFile::Close() {
  if (Release() != 0) ThrowFor(path_, errno);
}

int AppendFile::Release() {
  const int fd = std::exchange(fd_, -1);
  if (fd < 0) return 0;
  struct stat mine {}, named {};
  // Only while its name still leads to this very file.
  if (created_ && !written_ && ::fstat(fd, &mine) == 0 && ::lstat(path_.c_str(), &named) == 0 &&
      mine.st_dev == named.st_dev && mine.st_ino == named.st_ino)
    ::unlink(path_.c_str());
  return ::close(fd);
}

}  // namespace qm
