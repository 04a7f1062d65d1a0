#include "platform/runtime_error.h"

#include <cerrno>

namespace qm {

std::string ErrorText(int number) {
  switch (number) {
    case ErrOverflow: return "Overflow";
    case ErrOutOfMemory: return "Out of memory";
    case ErrSubscript: return "Subscript out of range";
    case ErrTypeMismatch: return "Type mismatch";
    case ErrFileNotFound: return "File not found";
    case ErrFileExists: return "File already exists";
    case ErrDiskFull: return "Disk full";
    case ErrPermission: return "Permission denied";
    case ErrPathFileAccess: return "Path/File access error";
    case ErrPathNotFound: return "Path not found";
    case ErrInvalidPicture: return "Invalid picture";
    default: return "Application-defined or object-defined error";
  }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, ErrorText(number)) {}

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

void ThrowFromErrno(int err) {
  switch (err) {
    case ENOENT: throw RuntimeError(ErrFileNotFound);
    case ENOTDIR: throw RuntimeError(ErrPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS: throw RuntimeError(ErrPermission);
    case ENOSPC:
    case EDQUOT: throw RuntimeError(ErrDiskFull);
    default: throw RuntimeError(ErrPathFileAccess);
  }
}

}  // namespace qm
