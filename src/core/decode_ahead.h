#pragma once
// One picture decoded ahead on a worker thread while another is shown: the photo
// the viewer will most likely step to next. A step that reaches it takes it instead
// of decoding; any other step decodes as it always did.
#include <QThreadPool>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/viewer_rules.h"

namespace viewer {

class DecodeAhead {
public:
  DecodeAhead();
  ~DecodeAhead();
  DecodeAhead(const DecodeAhead&) = delete;
  DecodeAhead& operator=(const DecodeAhead&) = delete;

  // Starts decoding the picture at path as ReadPicture would for showing, within
  // budget bytes; whatever was decoded ahead before is dropped. Nothing changes when
  // that picture is already the one ahead.
  void Start(const std::string& path, const Showing& showing, std::int64_t budget);
  // The picture decoded ahead, when it is the one at path, decoded for showing, from
  // the file as it still is; a decode in flight is waited for. Nothing otherwise
  // (another picture, a failed decode, a file changed since, a decode not begun),
  // and the picture ahead is dropped either way.
  std::optional<DecodedPicture> Take(const std::string& path, const Showing& showing);
  void Drop();

  // For tests: no decode ahead is waiting or in flight; how many were taken.
  bool Ready() const;
  int Taken() const { return taken_; }

private:
  struct Job;
  std::shared_ptr<Job> job_;
  int taken_ = 0;
  // Last, so it is the first to go: it waits for the decode in flight.
  QThreadPool pool_;
};

}  // namespace viewer
