#pragma once
// Pictures decoded and fitted ahead of the window on worker threads; the window
// takes them in list order.
#include <QThreadPool>
#include <chrono>
#include <future>
#include <map>
#include <string>

#include "core/thumbnail_maker.h"

class ThumbnailQueue {
public:
  explicit ThumbnailQueue(int threads);
  // Drops the work not yet started and waits for the work in hand.
  ~ThumbnailQueue();
  ThumbnailQueue(const ThumbnailQueue&) = delete;
  ThumbnailQueue& operator=(const ThumbnailQueue&) = delete;

  void Submit(int key, const std::string& path);
  // Waits up to the given time; true when the key's picture is ready.
  bool WaitFor(int key, std::chrono::milliseconds wait);
  ThumbnailPicture Take(int key);

private:
  QThreadPool pool_;
  std::map<int, std::future<ThumbnailPicture>> jobs_;
};
