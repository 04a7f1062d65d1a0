#pragma once
// The one failure type of our runtime layer: an error number and its text, as the
// procedures' error handlers expect them (their log lines quote the text).
#include <stdexcept>
#include <string>

namespace qm {

enum ErrNo : int {
  ErrOverflow = 6,
  ErrOutOfMemory = 7,
  ErrSubscript = 9,
  ErrTypeMismatch = 13,
  ErrFileNotFound = 53,
  ErrFileExists = 58,
  ErrDiskFull = 61,
  ErrPermission = 70,
  ErrPathFileAccess = 75,
  ErrPathNotFound = 76,
  ErrInvalidPicture = 481,
};

// The runtime's text for an error number.
std::string ErrorText(int number);

class RuntimeError : public std::runtime_error {
public:
  explicit RuntimeError(int number);
  RuntimeError(int number, const std::string& description);
  int Number() const { return number_; }
  const std::string& Description() const { return description_; }

private:
  int number_;
  std::string description_;
};

// Maps an errno value from a failed file call to the runtime's error.
[[noreturn]] void ThrowFromErrno(int err);

}  // namespace qm
