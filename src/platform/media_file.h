#pragma once
// A media file opened by the bytes of its name, for the players, which take a URL.
// A name that is not UTF-8 has no URL of its own (it would come back through
// QString as another name), so such a file is named by its open descriptor
// (/proc/self/fd/N) instead, which the descriptor keeps meaning this file.
#include <QUrl>
#include <string>

namespace qm {

class MediaFile {
public:
  MediaFile() = default;
  // Opens a regular file for reading; Url() is empty when it cannot be opened.
  explicit MediaFile(const std::string& path);
  ~MediaFile();
  MediaFile(MediaFile&& other) noexcept;
  MediaFile& operator=(MediaFile&& other) noexcept;
  MediaFile(const MediaFile&) = delete;
  MediaFile& operator=(const MediaFile&) = delete;

  // The URL to hand a player; it stays good while this object lives, so the
  // player must be done with it (stopped, or given another source) by then.
  const QUrl& Url() const { return url_; }
  bool IsOpen() const { return !url_.isEmpty(); }

private:
  void Close();
  int fd_ = -1;
  QUrl url_;
};

}  // namespace qm
