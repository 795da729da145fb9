#include "tests/installer/held_observer.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <system_error>
#include <thread>
#include <utility>

namespace installer_tests {

held_observer::held_observer(installer::install_tracker& tracker, std::filesystem::path hold_file,
                             std::set<std::uint32_t> points)
    : tracker_observer(tracker), hold_file_(std::move(hold_file)), points_(std::move(points)) {}

std::set<std::uint32_t> held_observer::parse_points(std::string_view text) {
  std::set<std::uint32_t> points;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
    if (error == std::errc() && end == item.data() + item.size() && !item.empty()) points.insert(value);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return points;
}

void held_observer::completed() {
  tracker_observer::completed();
  const std::uint32_t files = tracker().progress().files_done;
  if (points_.count(files) == 0) return;
  std::filesystem::path hold = hold_file_;
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "-%lu", static_cast<unsigned long>(files));
  hold += suffix;
  std::error_code error;
  while (std::filesystem::exists(hold, error)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  points_.erase(files);  // a directory completed next does not hold again
}

}  // namespace installer_tests
