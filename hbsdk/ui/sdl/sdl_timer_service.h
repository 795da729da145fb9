#pragma once
// Window timers of the SDL platform, kept on the user-interface thread: the
// message queue asks for the next due timer when it has nothing else to
// deliver and waits no longer than until the next one is due. No other
// thread is involved. (SDL's own timers push their events from a thread of
// their own; SDL 2.26 then wakes the waiting thread by sending an X message
// to a window, which kills the program with BadWindow when that window is
// being destroyed at the same time.)
//
// As with WM_TIMER, a timer that came due several times while the thread
// was busy is delivered once, and the next interval counts from then.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>

namespace hbsdk::ui {

struct timer_binding {
  std::uint32_t window_id = 0;  // SDL window id
  std::uint32_t timer_id = 0;   // the native window's timer id

  friend bool operator==(const timer_binding&, const timer_binding&) = default;
};

class sdl_timer_service {
public:
  // Times are milliseconds on one steady clock (SDL_GetTicks64).
  // Starts a repeating timer; intervals below 10 ms are raised to 10 ms, as
  // Windows does. Returns its token (never 0, never reused).
  std::uint32_t start(timer_binding binding, std::uint32_t milliseconds, std::uint64_t now);
  void stop(std::uint32_t token);

  // The timer that came due first (the earliest started among equals),
  // rescheduled one interval after now; nothing when none is due.
  std::optional<timer_binding> take_due(std::uint64_t now);
  // Milliseconds until the next timer is due (0 when one is); nothing without timers.
  std::optional<std::uint64_t> time_to_next(std::uint64_t now) const;
  std::size_t running() const noexcept { return timers_.size(); }

private:
  struct running_timer {
    timer_binding binding;
    std::uint64_t interval = 0;
    std::uint64_t due = 0;
  };

  std::uint32_t last_token_ = 0;
  std::map<std::uint32_t, running_timer> timers_;  // by token, so in starting order
};

}  // namespace hbsdk::ui
