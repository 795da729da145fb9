#include "bench/memory_probe.h"

#include <sys/resource.h>

#include <chrono>
#include <fstream>
#include <string>

namespace bench {

std::uint64_t memory_probe::anonymous_kib() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "RssAnon:") {
      std::uint64_t kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

std::uint64_t memory_probe::peak_rss_kib() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::uint64_t>(usage.ru_maxrss);
}

memory_probe::memory_probe()
    : sampler_([this] {
        while (running_.load()) {
          const std::uint64_t now = anonymous_kib();
          if (now > peak_.load()) peak_.store(now);
          std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
      }) {}

memory_probe::~memory_probe() { (void)stop(); }

std::uint64_t memory_probe::stop() {
  running_.store(false);
  if (sampler_.joinable()) sampler_.join();
  return peak_.load();
}

}  // namespace bench
