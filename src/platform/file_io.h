#pragma once
// The system calls behind the file services, shared by files.cpp and
// text_files.cpp; nothing outside the platform layer includes this.
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <functional>
#include <string>

#include "platform/runtime_error.h"

namespace qm::fileio {

// The runtime error for errno; ENOENT is "path not found" when the folder itself is missing.
[[noreturn]] void ThrowFor(const std::string& path, int err);
void WriteAll(int fd, const char* data, std::size_t size, const std::string& path);
// The mode a new archive file gets (0666 less the umask).
mode_t NewFileMode();
// Creates a uniquely named temporary file beside path; returns its fd and name.
int MakeTempBeside(const std::string& path, std::string& name);
RuntimeError NotRegular();
RuntimeError LinkRefused();

// A descriptor closed however the scope ends.
struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

// A regular file with this one name, or a throw: what a writer may write.
void RequireOwnFile(int fd, const std::string& path, struct stat& st);
// Opens a file to be written by its own name, never through a symbolic link, making
// it when it is missing; created tells whether this open made it.
int OpenOwnFile(const std::string& path, int flags, bool& created);

using ChunkTaker = std::function<bool(const char*, std::size_t)>;
// Hands the bytes of an open file to take a read at a time, until it returns false.
void ReadFrom(int fd, const std::string& path, const ChunkTaker& take);
// The same by name, without blocking; reserveFor is made room in for the whole file.
void ReadChunks(const std::string& path, const ChunkTaker& take, std::string* reserveFor = nullptr);

}  // namespace qm::fileio
