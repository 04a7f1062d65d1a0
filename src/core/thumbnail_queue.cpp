#include "core/thumbnail_queue.h"

#include <memory>

ThumbnailQueue::ThumbnailQueue(int threads) { pool_.setMaxThreadCount(std::max(1, threads)); }

ThumbnailQueue::~ThumbnailQueue() {
  pool_.clear();
  pool_.waitForDone();
}

void ThumbnailQueue::Submit(int key, const std::string& path) {
  auto task = std::make_shared<std::packaged_task<ThumbnailPicture()>>([path] { return LoadThumbnailPicture(path); });
  jobs_[key] = task->get_future();
  pool_.start([task] { (*task)(); });
}

bool ThumbnailQueue::WaitFor(int key, std::chrono::milliseconds wait) {
  auto it = jobs_.find(key);
  return it == jobs_.end() || it->second.wait_for(wait) == std::future_status::ready;
}

ThumbnailPicture ThumbnailQueue::Take(int key) {
  auto it = jobs_.find(key);
  if (it == jobs_.end()) return {};
  ThumbnailPicture p = it->second.get();
  jobs_.erase(it);
  return p;
}
