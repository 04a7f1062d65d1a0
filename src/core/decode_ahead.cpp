#include "core/decode_ahead.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <utility>

#include "core/picture_decode.h"

namespace viewer {

struct DecodeAhead::Job {
  enum State { kQueued, kRunning, kDone };
  std::string path;
  Showing showing;
  std::int64_t budget = 0;
  std::mutex mutex;
  std::condition_variable done;
  State state = kQueued;
  std::optional<DecodedPicture> picture;

  void Run() {
    {
      const std::lock_guard lock(mutex);
      if (state != kQueued) return;  // dropped before it began
      state = kRunning;
    }
    std::optional<DecodedPicture> decoded;
    try {
      decoded = ReadPicture(path, [this](QSize size) { return DetailFor(size, showing); }, budget);
    } catch (const std::exception&) {
      // The step decodes it again and reports what went wrong, as it always did.
    }
    {
      const std::lock_guard lock(mutex);
      picture = std::move(decoded);
      state = kDone;
    }
    done.notify_all();
  }
};

// One worker: a decode dropped in flight finishes before the next one begins, so
// no more than one picture is ever decoded ahead.
DecodeAhead::DecodeAhead() {
  pictures::ShareMemoryPools();
  pool_.setMaxThreadCount(1);
}

DecodeAhead::~DecodeAhead() {
  Drop();
  pool_.waitForDone();
}

void DecodeAhead::Start(const std::string& path, const Showing& showing, std::int64_t budget) {
  if (job_ && job_->path == path && job_->showing == showing) return;
  Drop();
  if (budget <= 0) return;
  job_ = std::make_shared<Job>();
  job_->path = path;
  job_->showing = showing;
  job_->budget = budget;
  pool_.start([job = job_] { job->Run(); });
}

void DecodeAhead::Drop() {
  pool_.clear();
  if (!job_) return;
  {
    const std::lock_guard lock(job_->mutex);
    if (job_->state == Job::kQueued) job_->state = Job::kDone;
  }
  job_.reset();
}

std::optional<DecodedPicture> DecodeAhead::Take(const std::string& path, const Showing& showing) {
  const std::shared_ptr<Job> job = job_;
  if (!job || job->path != path || !(job->showing == showing)) {
    Drop();
    return std::nullopt;
  }
  std::optional<DecodedPicture> picture;
  {
    std::unique_lock lock(job->mutex);
    // Behind a dropped decode still in flight, decoding here comes sooner.
    if (job->state != Job::kQueued) {
      job->done.wait(lock, [&] { return job->state == Job::kDone; });
      picture = std::move(job->picture);
    }
  }
  Drop();
  if (!picture || picture->stamp != StampOf(path)) return std::nullopt;
  ++taken_;
  return picture;
}

bool DecodeAhead::Ready() const {
  if (!job_) return true;
  const std::lock_guard lock(job_->mutex);
  return job_->state == Job::kDone;
}

}  // namespace viewer
