#pragma once
// A read-only view of a folder for tests: a real read-only bind mount when the tests
// run as root (write permissions do not stop root), otherwise nothing.
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

class ReadOnlyMount {
public:
  ReadOnlyMount() = default;
  ReadOnlyMount(const ReadOnlyMount&) = delete;
  ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;
  ~ReadOnlyMount() { Unmount(); }

  // Shows source read-only at target (made when missing). Empty when it worked,
  // else the reason the test has to be skipped.
  std::string Mount(const std::string& source, const std::string& target) {
    if (::geteuid() != 0) return "read-only mode needs a real read-only bind mount, which needs root";
    std::filesystem::create_directories(target);
    if (::mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) != 0)
      return std::string("bind mount failed: ") + std::strerror(errno);
    target_ = target;
    if (::mount(nullptr, target.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
      std::string why = std::string("read-only remount failed: ") + std::strerror(errno);
      Unmount();
      return why;
    }
    return {};
  }

  void Unmount() {
    if (target_.empty()) return;
    if (::umount(target_.c_str()) != 0) ::umount2(target_.c_str(), MNT_DETACH);
    target_.clear();
  }

private:
  std::string target_;
};

// Skips the test with the reason when no read-only view can be made.
#define MOUNT_READ_ONLY_OR_SKIP(mount, source, target)   \
  do {                                                  \
    const std::string why_ = (mount).Mount(source, target); \
    if (!why_.empty()) GTEST_SKIP() << why_;            \
  } while (0)
