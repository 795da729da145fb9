#pragma once
// Window timers on SDL: each runs as an SDL timer whose callback (on SDL's
// timer thread) pushes an event carrying the timer's token; the user-interface
// thread maps the token back to its window and timer id. A stopped timer's
// token is forgotten at once, so an event it pushed before it stopped is
// dropped. Tokens are never reused.

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace hbsdk::ui {

struct timer_binding {
  std::uint32_t window_id = 0;  // SDL window id
  std::uint32_t timer_id = 0;   // the native window's timer id
};

class sdl_timer_service {
public:
  // Needs SDL's timer subsystem; registers the event type the timers push.
  sdl_timer_service();
  ~sdl_timer_service();
  sdl_timer_service(const sdl_timer_service&) = delete;
  sdl_timer_service& operator=(const sdl_timer_service&) = delete;

  // Starts a repeating timer; intervals below 10 ms are raised to 10 ms, as
  // Windows does. Returns its token (0 when SDL could not start it).
  std::uint32_t start(timer_binding binding, std::uint32_t milliseconds);
  void stop(std::uint32_t token);

  bool is_timer_event(const SDL_Event& event) const noexcept { return event.type == event_type_; }
  // The window and timer an event of a running timer is for.
  std::optional<timer_binding> resolve(const SDL_Event& event) const;
  std::size_t running() const noexcept { return timers_.size(); }

private:
  struct running_timer {
    timer_binding binding;
    SDL_TimerID id = 0;
  };

  std::uint32_t event_type_ = 0;
  std::uint32_t last_token_ = 0;
  std::unordered_map<std::uint32_t, running_timer> timers_;
};

}  // namespace hbsdk::ui
