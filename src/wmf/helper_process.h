#pragma once
// Runs a helper program of ours on bytes we do not trust: the bytes stream from a
// device into its standard input, its standard output lands in a buffer of a
// size known beforehand, and it is killed when it outlives its time. The caller
// never blocks past the deadline, and nothing is held whole besides the output.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QIODevice;

namespace wmf {

struct RunResult {
  enum Status {
    kDone,          // exited 0 and wrote exactly the output expected
    kNotStarted,    // the program could not be started
    kInputTooLarge, // the device held more than the input may be
    kInputFailed,   // the device could not be read
    kExited,        // exited with a code other than 0
    kKilled,        // ended by a signal (a crash, or a limit of its own)
    kTimedOut,      // outlived its time and was killed
    kWrongOutput,   // exited 0 but wrote more or less than expected
  };
  Status status = kNotStarted;
  int code = 0;  // exit code or signal
  bool ok() const { return status == kDone; }
  // A line for the log: what went wrong, in words.
  std::string Describe() const;
};

struct RunRequest {
  std::string program;
  std::vector<std::string> args;
  QIODevice* input = nullptr;  // read from its position to its end
  std::int64_t maxInput = 0;
  char* output = nullptr;  // exactly outputSize bytes are expected
  std::size_t outputSize = 0;
  std::chrono::milliseconds timeout{0};
};

// Safe from any thread, any number at once.
RunResult RunHelper(const RunRequest& request);

}  // namespace wmf
