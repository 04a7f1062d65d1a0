#include "core/thumbnail_queue.h"

#include <algorithm>
#include <filesystem>

#include "core/picture_decode.h"
#include "wmf/wmf_render.h"

namespace {

// How far past the next key workers may still run when the waiting pictures fill
// their budget, so the window can catch up while every core stays busy.
constexpr int kNearWindowPerThread = 2;

}  // namespace

ThumbnailQueue::ThumbnailQueue(int threads, std::int64_t decodeBudget, std::int64_t resultsBudget,
                               std::int64_t aloneLimit)
    : decodeBudget_(decodeBudget),
      resultsBudget_(resultsBudget),
      aloneLimit_(std::max(aloneLimit, decodeBudget)),
      threads_(std::max(1, threads)) {
  pictures::ShareMemoryPools();
}

ThumbnailQueue::~ThumbnailQueue() {
  {
    const std::lock_guard lock(m_);
    quit_ = true;
    pending_.clear();
    bySize_.clear();
  }
  work_.notify_all();
  for (std::thread& t : workers_) t.join();
}

void ThumbnailQueue::Submit(int key, const std::string& path) {
  std::error_code ec;
  const std::uintmax_t size = path.empty() ? 0 : std::filesystem::file_size(path, ec);
  {
    const std::lock_guard lock(m_);
    if (stopped_ || quit_) return;
    Job& job = pending_[key];
    job.path = path;
    job.fileBytes = ec ? 0 : size;
    bySize_.emplace(job.fileBytes, key);
  }
  work_.notify_one();
}

void ThumbnailQueue::Start() {
  if (!workers_.empty()) return;
  for (int i = 0; i < threads_; ++i) workers_.emplace_back([this] { Work(); });
}

void ThumbnailQueue::SetNext(int key) {
  {
    const std::lock_guard lock(m_);
    next_ = key;
  }
  work_.notify_all();
}

bool ThumbnailQueue::WaitFor(int key, std::chrono::milliseconds wait) {
  std::unique_lock lock(m_);
  return done_.wait_for(lock, wait, [&] {
    return results_.count(key) > 0 || (pending_.count(key) == 0 && running_.count(key) == 0);
  });
}

ThumbnailPicture ThumbnailQueue::Take(int key) {
  ThumbnailPicture p;
  {
    const std::lock_guard lock(m_);
    auto it = results_.find(key);
    if (it == results_.end()) return {};
    p = std::move(it->second);
    resultBytes_ -= p.picture.sizeInBytes();
    results_.erase(it);
  }
  work_.notify_all();
  return p;
}

void ThumbnailQueue::Stop() {
  {
    const std::lock_guard lock(m_);
    stopped_ = true;
    for (auto it = pending_.begin(); it != pending_.end();) {
      if (it->first == next_) {
        ++it;
        continue;
      }
      bySize_.erase({it->second.fileBytes, it->first});
      it = pending_.erase(it);
    }
    for (auto it = results_.begin(); it != results_.end();) {
      if (it->first == next_) {
        ++it;
        continue;
      }
      resultBytes_ -= it->second.picture.sizeInBytes();
      it = results_.erase(it);
    }
  }
  work_.notify_all();
}

std::int64_t ThumbnailQueue::PeakBytes() const {
  const std::lock_guard lock(m_);
  return peak_;
}

std::vector<int> ThumbnailQueue::StartOrder() const {
  const std::lock_guard lock(m_);
  return started_;
}

bool ThumbnailQueue::Fits(int key, std::int64_t bytes) const {
  if (alone_) return false;
  // A decode fits beside those in hand, or alone; one over the budget only alone.
  if (inFlight_ > 0 && inFlight_ + bytes > decodeBudget_) return false;
  // The next key always gets in once the decodes in hand leave room; waiting
  // pictures never hold it back, since only the window frees them.
  if (key == next_) return true;
  return resultBytes_ < resultsBudget_ || key < next_ + kNearWindowPerThread * threads_;
}

std::optional<int> ThumbnailQueue::Choose() const {
  const auto fits = [&](int key, const Job& job) {
    return job.plan ? Fits(key, job.cost) : job.headerBytes <= 0 || Fits(key, job.headerBytes);
  };
  if (auto it = pending_.find(next_); it != pending_.end())
    // The next key waits for room rather than be overtaken.
    return fits(it->first, it->second) ? std::optional<int>(it->first) : std::nullopt;
  if (stopped_) return std::nullopt;
  if (resultBytes_ >= resultsBudget_) {
    for (const auto& [key, job] : pending_) {
      if (key >= next_ + kNearWindowPerThread * threads_) break;
      if (fits(key, job)) return key;
    }
    return std::nullopt;
  }
  for (const auto& [bytes, key] : bySize_)
    if (fits(key, pending_.at(key))) return key;
  return std::nullopt;
}

void ThumbnailQueue::Requeue(int key, Job job) {
  running_.erase(key);
  if (!stopped_ || key == next_) {
    bySize_.emplace(job.fileBytes, key);
    pending_.emplace(key, std::move(job));
  }
  done_.notify_all();
}

void ThumbnailQueue::Work() {
  const wmf::ThreadTimeLimit patient(kThumbnailHelperTime);
  std::unique_lock lock(m_);
  for (;;) {
    if (quit_) return;
    const std::optional<int> pick = Choose();
    if (!pick) {
      work_.wait(lock);
      continue;
    }
    const int key = *pick;
    Job job = std::move(pending_.at(key));
    pending_.erase(key);
    bySize_.erase({job.fileBytes, key});
    running_.insert(key);

    if (!job.plan) {
      // The header is read outside the lock; it is a few kilobytes, but a plain
      // WMF's size takes a helper, which waits for room like a decode.
      if (job.headerBytes < 0) {
        lock.unlock();
        job.headerBytes = pictures::HeaderHelperBytes(job.path);
        lock.lock();
        if (job.headerBytes > 0 && !Fits(key, job.headerBytes)) {
          Requeue(key, std::move(job));
          continue;
        }
      }
      const std::int64_t reading = std::max<std::int64_t>(job.headerBytes, 0);
      inFlight_ += reading;
      peak_ = std::max(peak_, inFlight_ + resultBytes_);
      lock.unlock();
      job.plan = PlanThumbnail(job.path);
      lock.lock();
      inFlight_ -= reading;
      job.cost = job.plan->bytes + pictures::HelperBytes(job.plan->header, job.plan->request);
      if (job.plan->bytes <= aloneLimit_ && !Fits(key, job.cost)) {
        // No room for it now: back with its cost known, and another that fits goes.
        Requeue(key, std::move(job));
        continue;
      }
    }
    // A picture too large to decode takes nothing: it comes back as such.
    const std::int64_t bytes = job.plan->bytes > aloneLimit_ ? 0 : job.cost;
    const bool alone = bytes > decodeBudget_;
    alone_ = alone_ || alone;
    inFlight_ += bytes;
    peak_ = std::max(peak_, inFlight_ + resultBytes_);
    started_.push_back(key);
    lock.unlock();
    ThumbnailPicture picture = DecodeThumbnail(*job.plan, aloneLimit_);
    lock.lock();
    inFlight_ -= bytes;
    if (alone) alone_ = false;
    running_.erase(key);
    if (!stopped_ || key == next_) {
      resultBytes_ += picture.picture.sizeInBytes();
      results_[key] = std::move(picture);
      peak_ = std::max(peak_, inFlight_ + resultBytes_);
    }
    done_.notify_all();
    work_.notify_all();
  }
}
