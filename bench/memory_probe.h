#pragma once
// Watches the process's anonymous memory (heap and stacks, not the mapped
// archive) from a second thread and keeps its peak, and reads the peak
// resident size the kernel reports.

#include <atomic>
#include <cstdint>
#include <thread>

namespace bench {

class memory_probe {
public:
  // Starts sampling every half millisecond.
  memory_probe();
  ~memory_probe();
  memory_probe(const memory_probe&) = delete;
  memory_probe& operator=(const memory_probe&) = delete;

  // Stops sampling; returns the peak anonymous resident size in KiB.
  std::uint64_t stop();

  static std::uint64_t anonymous_kib();  // RssAnon now
  static std::uint64_t peak_rss_kib();   // ru_maxrss

private:
  std::atomic<bool> running_{true};
  std::atomic<std::uint64_t> peak_{0};
  std::thread sampler_;
};

}  // namespace bench
