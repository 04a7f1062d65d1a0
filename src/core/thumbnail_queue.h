#pragma once
// Pictures decoded and fitted ahead of the window on worker threads, in any order,
// within a memory budget; the window takes them in list order.
//
// A finished thumbnail is tiny, so the workers run ahead as far as memory allows:
// the item the window needs next has first claim on a free worker (the bar and
// the stop rule keep moving), the others go largest file first, so no slow file is
// left for the end. A decode starts only when the memory its header promises fits
// beside the decodes in hand; finished pictures waiting to be taken count too. A
// WMF is drawn by a helper process, which counts at its memory limit, and so does
// the helper that finds a plain WMF's size while its header is read. A picture
// whose decode alone takes more than the budget decodes alone: it starts when no
// other decode is in hand, and none starts until it is done.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/thumbnail_maker.h"

class ThumbnailQueue {
public:
  // A picture over aloneLimit is not decoded: it comes back too large.
  ThumbnailQueue(int threads, std::int64_t decodeBudget, std::int64_t resultsBudget = kThumbnailResultsBudget,
                 std::int64_t aloneLimit = kThumbnailAloneLimit);
  // Drops the work not yet started and waits for the decodes in hand.
  ~ThumbnailQueue();
  ThumbnailQueue(const ThumbnailQueue&) = delete;
  ThumbnailQueue& operator=(const ThumbnailQueue&) = delete;

  // Keys are list positions. The workers start at the first Start (so a caller
  // may hand over a first batch whole) and take later submissions as they come.
  void Submit(int key, const std::string& path);
  void Start();
  // The key the window needs next.
  void SetNext(int key);
  // Waits up to the given time; true when the key's picture is ready (or the key
  // was never submitted).
  bool WaitFor(int key, std::chrono::milliseconds wait);
  ThumbnailPicture Take(int key);
  // No decode starts from now on but that of the next key; pictures decoded ahead
  // are thrown away.
  void Stop();

  // Deterministic measures: the most memory held at once by decodes in hand and
  // pictures waiting (as their headers promised), and the order decodes started.
  std::int64_t PeakBytes() const;
  std::vector<int> StartOrder() const;

private:
  struct Job {
    std::string path;
    std::uintmax_t fileBytes = 0;
    std::int64_t headerBytes = -1;  // what reading its header takes; -1 not known yet
    std::optional<ThumbnailPlan> plan;
    std::int64_t cost = 0;  // what its decode takes with its helper, once planned
  };
  void Work();
  // Puts a job started too early back, its costs known; called with the lock held.
  void Requeue(int key, Job job);
  // The next job to start, or none; called with the lock held.
  std::optional<int> Choose() const;
  bool Fits(int key, std::int64_t bytes) const;

  const std::int64_t decodeBudget_;
  const std::int64_t resultsBudget_;
  const std::int64_t aloneLimit_;
  const int threads_;
  mutable std::mutex m_;
  std::condition_variable work_;
  std::condition_variable done_;
  std::map<int, Job> pending_;
  std::set<std::pair<std::uintmax_t, int>, std::greater<>> bySize_;
  std::set<int> running_;
  std::map<int, ThumbnailPicture> results_;
  int next_ = 1;
  bool stopped_ = false;
  bool quit_ = false;
  bool alone_ = false;  // a decode over the budget is in hand
  std::int64_t inFlight_ = 0;
  std::int64_t resultBytes_ = 0;
  std::int64_t peak_ = 0;
  std::vector<int> started_;
  std::vector<std::thread> workers_;
};
