#include "platform/media_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <utility>

namespace qm {

MediaFile::MediaFile(const std::string& path) {
  if (path.empty()) return;
  // Not blocking, so a FIFO under a media name never hangs the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  if (QFile::encodeName(name).toStdString() == path) {
    // The name says what it is; the player opens it itself.
    ::close(fd);
    url_ = QUrl::fromLocalFile(name);
    return;
  }
  fd_ = fd;
  url_ = QUrl::fromLocalFile(QString("/proc/self/fd/%1").arg(fd));
}

MediaFile::~MediaFile() { Close(); }

MediaFile::MediaFile(MediaFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), url_(std::exchange(other.url_, QUrl())) {}

MediaFile& MediaFile::operator=(MediaFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    url_ = std::exchange(other.url_, QUrl());
  }
  return *this;
}

void MediaFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  url_ = QUrl();
}

}  // namespace qm
