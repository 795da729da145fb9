#include "hbsdk/ui/sdl/sdl_timer_service.h"

#include <algorithm>

namespace hbsdk::ui {
namespace {

constexpr std::uint64_t minimum_interval = 10;

}  // namespace

std::uint32_t sdl_timer_service::start(timer_binding binding, std::uint32_t milliseconds, std::uint64_t now) {
  const std::uint32_t token = ++last_token_;
  const std::uint64_t interval = std::max<std::uint64_t>(milliseconds, minimum_interval);
  timers_[token] = {binding, interval, now + interval};
  return token;
}

void sdl_timer_service::stop(std::uint32_t token) { timers_.erase(token); }

std::optional<timer_binding> sdl_timer_service::take_due(std::uint64_t now) {
  auto first = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due <= now && (first == timers_.end() || it->second.due < first->second.due)) {
      first = it;
    }
  }
  if (first == timers_.end()) {
    return std::nullopt;
  }
  first->second.due = now + first->second.interval;
  return first->second.binding;
}

std::optional<std::uint64_t> sdl_timer_service::time_to_next(std::uint64_t now) const {
  std::optional<std::uint64_t> next;
  for (const auto& [token, timer] : timers_) {
    const std::uint64_t wait = timer.due > now ? timer.due - now : 0;
    next = next ? std::min(*next, wait) : wait;
  }
  return next;
}

}  // namespace hbsdk::ui
