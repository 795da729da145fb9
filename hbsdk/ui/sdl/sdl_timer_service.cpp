#include "hbsdk/ui/sdl/sdl_timer_service.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace hbsdk::ui {
namespace {

constexpr std::uint32_t minimum_interval = 10;

// Read by the callbacks on SDL's timer thread; written before any timer starts.
std::atomic<std::uint32_t> timer_event_type{0};

// Runs on SDL's timer thread: only pushes an event (SDL_PushEvent is
// thread-safe) and keeps the timer going.
Uint32 push_timer_event(Uint32 interval, void* token) {
  SDL_Event event{};
  event.type = timer_event_type.load();
  event.user.code = static_cast<Sint32>(reinterpret_cast<std::uintptr_t>(token));
  SDL_PushEvent(&event);
  return interval;
}

}  // namespace

sdl_timer_service::sdl_timer_service() {
  if (timer_event_type.load() == 0) {
    const Uint32 registered = SDL_RegisterEvents(1);
    if (registered == static_cast<Uint32>(-1)) {
      throw std::runtime_error(std::string("unable to register the timer event: ") + SDL_GetError());
    }
    timer_event_type.store(registered);
  }
  event_type_ = timer_event_type.load();
}

sdl_timer_service::~sdl_timer_service() {
  for (const auto& [token, timer] : timers_) {
    SDL_RemoveTimer(timer.id);
  }
}

std::uint32_t sdl_timer_service::start(timer_binding binding, std::uint32_t milliseconds) {
  const std::uint32_t token = ++last_token_;
  // Tokens travel in the event's 32-bit code.
  const SDL_TimerID id = SDL_AddTimer(std::max(milliseconds, minimum_interval), push_timer_event,
                                      reinterpret_cast<void*>(static_cast<std::uintptr_t>(token)));
  if (id == 0) {
    return 0;
  }
  timers_[token] = {binding, id};
  return token;
}

void sdl_timer_service::stop(std::uint32_t token) {
  const auto found = timers_.find(token);
  if (found == timers_.end()) {
    return;
  }
  SDL_RemoveTimer(found->second.id);
  timers_.erase(found);
}

std::optional<timer_binding> sdl_timer_service::resolve(const SDL_Event& event) const {
  if (!is_timer_event(event)) {
    return std::nullopt;
  }
  const auto found = timers_.find(static_cast<std::uint32_t>(event.user.code));
  if (found == timers_.end()) {
    return std::nullopt;
  }
  return found->second.binding;
}

}  // namespace hbsdk::ui
