#pragma once
// Resident memory sampled every few milliseconds while a watch lives: this
// process's, or the sum over every running process of one name (parallel
// processes peak at different moments, so adding each one's own peak overstates
// what they held together).
#include <atomic>
#include <functional>
#include <string>
#include <thread>

// This process's resident memory now, in MB.
long SelfRssMb();
// The resident memory of every process whose name is name, summed, in MB.
long ProcessesRssMb(const std::string& name);

class RssWatch {
public:
  explicit RssWatch(std::function<long()> sample = SelfRssMb);
  ~RssWatch();
  RssWatch(const RssWatch&) = delete;
  RssWatch& operator=(const RssWatch&) = delete;
  long Peak() const { return peak_; }

private:
  std::atomic<bool> done_{false};
  std::atomic<long> peak_{0};
  std::thread thread_;
};
