#pragma once
// A one-line progress bar on standard error, drawn only when standard error
// is a terminal and the work is large enough to be worth watching.

#include <cstdint>
#include <string>

namespace hbpack {

class progress_bar {
public:
  static constexpr std::uint64_t worth_showing = 8u << 20;  // bytes of work

  progress_bar(std::string label, std::uint64_t total);
  ~progress_bar();
  progress_bar(const progress_bar&) = delete;
  progress_bar& operator=(const progress_bar&) = delete;

  void advance(std::uint64_t amount);
  // Draws the full bar and ends its line; later calls do nothing.
  void finish();
  // Ends the bar's line as it stands (the work was cut short), so that a
  // message can follow on a line of its own; later calls do nothing.
  void stop();

private:
  void draw(int percent);

  std::string label_;
  std::uint64_t total_;
  std::uint64_t done_ = 0;
  int shown_percent_ = -1;
  bool active_;
};

}  // namespace hbpack
