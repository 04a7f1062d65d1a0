#pragma once
// The group lines of an import run, written as its rows go. A row's photo is
// listed in its groups before it enters the archive, so a run killed at any point
// leaves no photo with an information file out of them (a line whose photo never
// came is dropped by the next start's clean-up). A row that does not enter takes
// its line back, and a cancelled run all of its lines, byte for byte. Each list is
// opened once for the run, so no line goes to a file put under its name meanwhile.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

class ImportGroupLines {
public:
  struct Target {
    std::string group;  // as the user knows it
    std::string file;   // its list file
  };
  explicit ImportGroupLines(std::vector<Target> targets);

  // Appends the photo's line to every list, in order. A list whose append fails
  // gets no more lines in this run.
  void Add(const std::string& photoName);
  // The photo of the last Add entered: its lines stay.
  void Keep();
  // The photo of the last Add did not enter: its lines go (nothing when kept).
  void TakeBack();
  // Every line of the run goes.
  void TakeBackAll();
  // Closes every list; a close that fails counts as a failed append.
  void Close();
  // The groups whose append failed, with the reason, in order.
  struct Failure {
    std::string group, reason;
  };
  const std::vector<Failure>& Failures() const { return failures_; }

private:
  struct List {
    Target target;
    std::unique_ptr<qm::AppendFile> file;  // open once the run has written to it
    std::int64_t atStart = 0;
    bool pending = false;  // the last Add wrote to it
    std::int64_t beforePending = 0;
    bool failed = false;
  };
  void Fail(List& list, const std::string& reason);
  // Cuts the list back to size bytes.
  static void CutBack(const List& list, std::int64_t size);
  std::vector<List> lists_;
  std::vector<Failure> failures_;
};
