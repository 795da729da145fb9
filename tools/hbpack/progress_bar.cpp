#include "tools/hbpack/progress_bar.h"

#include <cstdio>
#include <utility>

#include "tools/hbpack/console.h"

namespace hbpack {

progress_bar::progress_bar(std::string label, std::uint64_t total)
    : label_(std::move(label)), total_(total), active_(total >= worth_showing && stderr_is_terminal()) {
  if (active_) draw(0);
}

progress_bar::~progress_bar() { stop(); }

void progress_bar::stop() {
  if (!active_) return;
  std::fputc('\n', stderr);
  active_ = false;
}

void progress_bar::advance(std::uint64_t amount) {
  if (!active_) return;
  done_ += amount;
  const std::uint64_t clamped = done_ < total_ ? done_ : total_;
  const int percent = static_cast<int>(clamped * 100 / total_);
  if (percent != shown_percent_) draw(percent);
}

void progress_bar::finish() {
  if (!active_) return;
  draw(100);
  std::fputc('\n', stderr);
  active_ = false;
}

void progress_bar::draw(int percent) {
  constexpr int width = 40;
  char bar[width + 1];
  for (int i = 0; i < width; ++i) bar[i] = i < percent * width / 100 ? '#' : '.';
  bar[width] = '\0';
  std::fprintf(stderr, "\r%s [%s] %3d%%", label_.c_str(), bar, percent);
  std::fflush(stderr);
  shown_percent_ = percent;
}

}  // namespace hbpack
