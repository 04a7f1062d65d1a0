#pragma once
// Ways to make file writes fail for real in tests: a read-only folder, a file
// size limit and an immutable file.
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <string>

// Makes a folder read-only for as long as it lives: a read-only bind mount of the
// folder onto itself when running as root (permissions do not stop root), else
// the folder's write bits are taken away.
class ReadOnlyFolder {
public:
  explicit ReadOnlyFolder(const std::string& folder) : folder_(folder) {
    if (::geteuid() == 0) {
      if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) return;
      mounted_ = true;
      ok_ = ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    } else {
      ok_ = ::chmod(folder.c_str(), 0555) == 0;
      chmodded_ = ok_;
    }
  }
  ~ReadOnlyFolder() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    if (chmodded_) ::chmod(folder_.c_str(), 0755);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
  bool ok() const { return ok_; }

private:
  std::string folder_;
  bool ok_ = false, mounted_ = false, chmodded_ = false;
};

// Limits the size any file of this process may grow to, so a write beyond it
// fails with EFBIG (the signal that would kill the process is ignored meanwhile).
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit lim = old_;
    lim.rlim_cur = bytes;
    ok_ = ::setrlimit(RLIMIT_FSIZE, &lim) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool ok() const { return ok_; }

private:
  rlimit old_{};
  sighandler_t old_handler_ = SIG_DFL;
  bool ok_ = false;
};

// Makes a file immutable (chattr +i) while it lives: it cannot be written,
// renamed over or deleted, by root neither. Needs root and a file system that
// keeps the flag (ext4 and tmpfs do).
class ImmutableFile {
public:
  explicit ImmutableFile(const std::string& path) : path_(QString::fromStdString(path)), ok_(Chattr("+i")) {}
  ~ImmutableFile() {
    if (ok_) Chattr("-i");
  }
  bool ok() const { return ok_; }

private:
  bool Chattr(const char* flag) const { return QProcess::execute("chattr", {flag, path_}) == 0; }
  QString path_;
  bool ok_;
};
