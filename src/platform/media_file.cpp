#include "platform/media_file.h"

#include <unistd.h>

#include <QFile>
#include <utility>

#include "platform/files.h"

namespace qm {

MediaFile::MediaFile(const std::string& path) {
  // A FIFO under a media name never hangs the program.
  const int fd = OpenRegularFile(path);
  if (fd < 0) return;
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
