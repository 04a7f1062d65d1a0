#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/runtime_error.h"

namespace qm {
namespace {

char Fold(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

bool WildMatch(const char* n, const char* p) {
  // Iterative matcher with one backtrack point per star.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*n) {
    if (*p == '*') {
      star = p++;
      resume = n;
    } else if (*p == '?' || (*p && Fold(*p) == Fold(*n))) {
      ++p;
      ++n;
    } else if (star) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == 0;
}

}  // namespace

namespace fileio {

// ENOENT means "path not found" when the folder itself is missing.
[[noreturn]] void ThrowFor(const std::string& path, int err) {
  if (err == ENOENT) {
    const std::string parent = ParentFolder(path);
    if (!parent.empty() && !FolderExists(parent)) throw RuntimeError(ErrPathNotFound);
  }
  ThrowFromErrno(err);
}

bool StatPath(const std::string& path, struct stat& st) { return ::stat(path.c_str(), &st) == 0; }

void WriteAll(int fd, const char* data, size_t size, const std::string& path) {
  while (size > 0) {
    ssize_t w = ::write(fd, data, size);
    if (w < 0) {
      if (errno == EINTR) continue;
      ThrowFor(path, errno);
    }
    data += w;
    size -= size_t(w);
  }
}

// mkstemp makes 0600; an archive file is as readable as any other the user makes.
mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A short name of its own, so a target whose name is at the length limit still has
// room for one; the start clears those a killed run left (RemoveStaleTempFiles).
std::string TempNameBeside(const std::string& path) { return ParentFolder(path) + kTempNameTemplate; }

// Creates a uniquely named temporary file beside path; returns its fd and name.
int MakeTempBeside(const std::string& path, std::string& name) {
  name = TempNameBeside(path);
  std::vector<char> buf(name.begin(), name.end());
  buf.push_back(0);
  int fd = ::mkstemp(buf.data());
  if (fd < 0) ThrowFor(path, errno);
  name.assign(buf.data());
  return fd;
}

RuntimeError NotRegular() {
  return RuntimeError(ErrPathFileAccess, ErrorText(ErrPathFileAccess) + " (not a regular file)");
}

RuntimeError LinkRefused() {
  return RuntimeError(ErrPathFileAccess, ErrorText(ErrPathFileAccess) + " (the file is a link)");
}

// A file to be read, copied or compared: only a regular file, opened without blocking, so
// a FIFO is never waited on and a device never read without end.
int OpenSource(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) ThrowFor(path, errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw NotRegular();
  }
  return fd;
}

// What a writer may write: a regular file under this one name. Lines written to a
// file with other names would turn up in all of them.
void RequireOwnFile(int fd, const std::string& path, struct stat& st) {
  if (::fstat(fd, &st) != 0) ThrowFor(path, errno);
  if (!S_ISREG(st.st_mode)) throw NotRegular();
  if (st.st_nlink == 0) throw RuntimeError(ErrFileNotFound);  // deleted since it was opened
  if (st.st_nlink > 1) throw LinkRefused();
}

// Opens a file to be written by its own name, never through a symbolic link, making
// it when it is missing; created tells whether this open made it.
int OpenOwnFile(const std::string& path, int flags, bool& created) {
  flags |= O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  created = false;
  int fd = ::open(path.c_str(), flags);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
    created = fd >= 0;
    if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), flags);
  }
  if (fd < 0) {
    if (errno == ELOOP) throw LinkRefused();
    ThrowFor(path, errno);
  }
  try {
    struct stat st {};
    RequireOwnFile(fd, path, st);
  } catch (...) {
    ::close(fd);
    throw;
  }
  return fd;
}

}  // namespace fileio

using namespace fileio;

bool FoldedLess(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return (unsigned char)x < (unsigned char)y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  // "*.*" means every file, also names without a dot, as it always did.
  if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
  return WildMatch(name.c_str(), pattern.c_str());
}

namespace {

// The entries of a folder of one kind (regular files or folders, links followed),
// hidden names left out, sorted by ASCII-folded name.
std::vector<std::string> ListEntries(const std::string& folder, bool folders, const std::string& pattern) {
  std::vector<std::string> out;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    // Only a folder that is not there is empty; one that cannot be read must never
    // look empty, or its callers would rewrite lists from nothing.
    if (errno == ENOENT || errno == ENOTDIR) return out;
    ThrowFromErrno(errno);
  }
  const int dfd = ::dirfd(dir);
  for (;;) {
    errno = 0;
    dirent* e = ::readdir(dir);
    if (!e) {
      const int err = errno;
      ::closedir(dir);
      if (err != 0) ThrowFromErrno(err);
      break;
    }
    if (e->d_name[0] == '.') continue;
    bool wanted = e->d_type == (folders ? DT_DIR : DT_REG);
    if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
      struct stat st;
      wanted = ::fstatat(dfd, e->d_name, &st, 0) == 0 && (folders ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode));
    }
    if (wanted && MatchesPattern(e->d_name, pattern)) out.emplace_back(e->d_name);
  }
  std::sort(out.begin(), out.end(), FoldedLess);
  return out;
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
  return ListEntries(folder, false, pattern);
}

std::vector<std::string> ListFolders(const std::string& folder) { return ListEntries(folder, true, "*"); }

bool FileExists(const std::string& path) {
  struct stat st;
  return StatPath(path, st) && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st;
  return !path.empty() && StatPath(path, st) && S_ISDIR(st.st_mode);
}

std::size_t NameMax(const std::string& folder) {
  const long n = ::pathconf(folder.empty() ? "/" : folder.c_str(), _PC_NAME_MAX);
  return n > 0 ? std::size_t(n) : 255;
}

bool FolderHasEntries(const std::string& path) {
  if (path.empty()) return false;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return false;
  bool any = false;
  while (dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) {
      any = true;
      break;
    }
  }
  ::closedir(dir);
  return any;
}

bool IsNormalFile(const std::string& path) {
  const std::string name = BaseName(path);
  return !name.empty() && name[0] != '.' && FileExists(path);
}

std::int64_t FileLen(const std::string& path) {
  struct stat st;
  if (!StatPath(path, st)) ThrowFor(path, errno);
  if (S_ISDIR(st.st_mode)) throw RuntimeError(ErrFileNotFound);
  return st.st_size;
}

int OpenRegularFile(const std::string& path) {
  if (path.empty()) return -1;
  try {
    return OpenSource(path);
  } catch (const RuntimeError&) {
    return -1;
  }
}

std::int64_t FileDateTime(const std::string& path) {
  struct stat st;
  if (path.empty() || !StatPath(path, st)) ThrowFor(path, path.empty() ? ENOENT : errno);
  return st.st_mtim.tv_sec;
}

bool SetFileModified(const std::string& path, std::int64_t seconds) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = time_t(seconds);
  times[1].tv_nsec = 0;
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

void MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) {
    if (errno == EEXIST) throw RuntimeError(ErrPathFileAccess);
    ThrowFor(path, errno);
  }
}

void DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) ThrowFor(path, errno);
}

void RenameFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) ThrowFor(from, errno);
}

void RenameFileNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
  int err = errno;
  if (err == EEXIST) throw RuntimeError(ErrFileExists);
  if (err != EINVAL && err != ENOSYS) ThrowFor(from, err);
  // The file system cannot rename exclusively: a hard link can be made only under
  // a free name, and the old name goes once the new one holds the file.
  if (::link(from.c_str(), to.c_str()) == 0) {
    if (::unlink(from.c_str()) != 0) {
      err = errno;
      ::unlink(to.c_str());
      ThrowFor(from, err);
    }
    return;
  }
  err = errno;
  if (err == EEXIST) throw RuntimeError(ErrFileExists);
  if (err != EPERM && err != EOPNOTSUPP && err != ENOSYS) ThrowFor(from, err);
  // No hard links either: look, then rename (one user, so the gap is harmless).
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) throw RuntimeError(ErrFileExists);
  RenameFile(from, to);
}

void CreateNewFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode());
  if (fd < 0) {
    if (errno == EEXIST) throw RuntimeError(ErrFileExists);
    ThrowFor(path, errno);
  }
  ::close(fd);
}

namespace fileio {

// Hands the bytes of an open file to take a read at a time, until it returns false.
void ReadFrom(int fd, const std::string& path, const ChunkTaker& take) {
  char buf[65536];
  for (;;) {
    const ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      ThrowFor(path, errno);
    }
    if (r == 0 || !take(buf, size_t(r))) break;
  }
}

// Hands the file's bytes to take a read at a time, until it returns false. Only a
// regular file is read: a FIFO would be waited on and a device read without end.
void ReadChunks(const std::string& path, const ChunkTaker& take, std::string* reserveFor) {
  const FdCloser file{OpenSource(path)};
  struct stat st {};
  if (reserveFor && ::fstat(file.fd, &st) == 0 && st.st_size > 0) reserveFor->reserve(size_t(st.st_size));
  ReadFrom(file.fd, path, take);
}

}  // namespace fileio

void CopyFile(const std::string& from, const std::string& to) {
  const FdCloser source{OpenSource(from)};
  bool created = false;
  FdCloser target{OpenOwnFile(to, O_WRONLY, created)};
  // Cut only once it is known to be a file of its own.
  if (::ftruncate(target.fd, 0) != 0) ThrowFor(to, errno);
  ReadFrom(source.fd, from, [&](const char* data, size_t n) {
    WriteAll(target.fd, data, n, to);
    return true;
  });
  if (::close(std::exchange(target.fd, -1)) != 0) ThrowFor(to, errno);
}

std::string CopyToTempBeside(const std::string& from, const std::string& to, bool keepTime) {
  std::string tmp;
  int fd = MakeTempBeside(to, tmp);
  try {
    const FdCloser source{OpenSource(from)};
    struct stat st {};
    if (::fstat(source.fd, &st) != 0) ThrowFor(from, errno);
    const std::int64_t srcTime = st.st_mtim.tv_sec;
    // A chunk at a time: a clip of gigabytes is never held whole.
    std::int64_t copied = 0;
    ReadFrom(source.fd, from, [&](const char* data, size_t n) {
      WriteAll(fd, data, n, to);
      copied += std::int64_t(n);
      return true;
    });
    if (::fsync(fd) != 0) ThrowFor(to, errno);
    if (::close(fd) != 0) {
      fd = -1;
      ThrowFor(to, errno);
    }
    fd = -1;
    if (FileLen(tmp) != copied) throw RuntimeError(ErrPathFileAccess);
    ::chmod(tmp.c_str(), NewFileMode());
    if (keepTime && !SetFileModified(tmp, srcTime)) throw RuntimeError(ErrPathFileAccess);
    return tmp;
  } catch (...) {
    if (fd >= 0) ::close(fd);
    ::unlink(tmp.c_str());
    throw;
  }
}

void CopyFileSafely(const std::string& from, const std::string& to, bool keepTime) {
  const std::string tmp = CopyToTempBeside(from, to, keepTime);
  try {
    RenameFile(tmp, to);
  } catch (...) {
    ::unlink(tmp.c_str());
    throw;
  }
}

std::string ReadFileBytes(const std::string& path) {
  std::string out;
  ReadChunks(
      path,
      [&](const char* data, size_t n) {
        out.append(data, n);
        return true;
      },
      &out);
  return out;
}

std::optional<std::string> ReadFileBytesUpTo(const std::string& path, std::size_t limit) {
  std::string out;
  bool whole = true;
  ReadChunks(path, [&](const char* data, size_t n) {
    whole = n <= limit - out.size();
    if (whole) out.append(data, n);
    return whole;
  });
  if (!whole) return std::nullopt;
  return out;
}

bool SameFileContents(const std::string& a, const std::string& b) {
  const FdCloser first{OpenSource(a)}, second{OpenSource(b)};
  struct stat sa {}, sb {};
  if (::fstat(first.fd, &sa) != 0 || ::fstat(second.fd, &sb) != 0) throw RuntimeError(ErrPathFileAccess);
  if (sa.st_size != sb.st_size) return false;
  bool same = true;
  std::string other;
  ReadFrom(first.fd, a, [&](const char* data, size_t n) {
    other.resize(n);
    size_t got = 0;
    while (got < n) {
      const ssize_t r = ::read(second.fd, other.data() + got, n - got);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) ThrowFor(b, errno);
      if (r == 0) break;
      got += size_t(r);
    }
    same = got == n && std::memcmp(data, other.data(), n) == 0;
    return same;
  });
  return same;
}

bool IsTempFileName(const std::string& name) {
  static constexpr std::string_view kTemplate = kTempNameTemplate;
  const size_t stem = kTemplate.find('X');
  if (name.size() != kTemplate.size() || name.compare(0, stem, kTemplate.substr(0, stem)) != 0) return false;
  // ASCII letters and digits, whatever the locale says of other bytes.
  return std::all_of(name.begin() + std::ptrdiff_t(stem), name.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

void RemoveStaleTempFiles(const std::string& folder) {
  constexpr std::int64_t kStaleAfter = 3600;
  if (folder.empty()) return;  // never the working folder
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const int dfd = ::dirfd(dir);
  const std::int64_t now = Now();
  while (dirent* e = ::readdir(dir)) {
    if (!IsTempFileName(e->d_name)) continue;
    struct stat st;
    if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    // A copy carries its source's time from the start: the last write says nothing
    // of when the file was made.
    if (now - std::int64_t(st.st_ctim.tv_sec) > kStaleAfter) ::unlinkat(dfd, e->d_name, 0);
  }
  ::closedir(dir);
}

std::string ParentFolder(const std::string& path) {
  const size_t p = path.rfind('/');
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string BaseName(const std::string& path) {
  const size_t p = path.rfind('/');
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::string ToUpperAscii(std::string s) {
  for (char& c : s) c = Fold(c);
  return s;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

}  // namespace qm
