#pragma once
// The native side of a toolkit window, as the window logic sees it: the
// platform's window (through its window_backend), the modal loop, the timer
// table, placement in pixels and dips, and the sizing limits. Everything here
// is portable; only the backend touches the platform.
//
// The modal loop pumps the one message queue of the user-interface thread, so
// a pop-up's loop runs nested inside a callback of its owner's loop. While a
// window's loop runs its owner is disabled; ending the loop enables and
// focuses the owner again, unless another pop-up of that owner still runs
// its loop (then the owner stays disabled and that pop-up gets the focus).
// A loop that is ended stops before it removes another message, and a loop
// left by an exception ends as if closed. While the window's text-input
// context composes, the loop records every WM_KEYDOWN it takes for it before
// delivering it.

#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/non_copyable_non_moveable.h"
#include "hbsdk/ui/window_backend.h"
#include "hbsdk/ui/window_message.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace hbsdk::ui {

class event_object;
class window;

class native_window : non_copyable_non_moveable {
public:
  // WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN: a fixed-size captioned window
  // with a close box.
  static constexpr std::uint32_t default_style = 0x02C80000;

  // Gets a backend from the installed platform; the native window is made by create.
  native_window();
  ~native_window();

  // Makes the native window, hidden, for the toolkit window: outer position
  // (x, y) in screen pixels, client size (width, height) in dips, owned by
  // owner when one is given.
  void create(window& toolkit_window, std::string_view title, const rect& placement, native_window* owner);

  // Marks a loop as about to start: an end_modal from now until modal_loop
  // (from a callback of the window's shown) makes that loop end at once.
  void begin_modal() noexcept;
  // Pumps messages until end_modal (see the header comment).
  void modal_loop();
  void end_modal();
  bool running() const noexcept { return running_; }

  // Outer position (x, y) in screen pixels and client size in dips.
  void move_resize(const rect& placement);
  // The client area's top-left corner in screen pixels and its size in dips.
  rect client_rect();
  // Centres the client area on the owner (or the primary screen), kept
  // inside the work area of the monitor.
  void centre();

  // Starts a timer that fires `timer` on target with the user key as value
  // every interval milliseconds (once when one_shot). Returns its id.
  std::uint32_t set_timer(event_object* target, std::uint32_t user_key, std::uint32_t milliseconds,
                          bool one_shot);
  // Stops the first timer (lowest id) with this key and target; nothing when none.
  void kill_timer(const event_object* target, std::uint32_t user_key);
  // Stops every timer of the target (the target is going away).
  void kill_timers_of(const event_object* target);
  // A native timer elapsed: fires its event; a one-shot timer is removed
  // after its callbacks ran. Unknown ids are ignored.
  void timer_elapsed(std::uint32_t id);
  std::size_t timer_count() const noexcept { return timers_.size(); }

  void capture_mouse() { backend_->capture_mouse(); }
  void release_mouse() { backend_->release_mouse(); }

  window* owner_window() const noexcept { return window_; }
  native_window* owner() const noexcept { return owner_; }
  window_backend& backend() noexcept { return *backend_; }
  void* handle() const noexcept { return backend_->handle(); }
  point dpi() const noexcept { return dpi_; }
  std::uint32_t style() const noexcept { return style_; }
  std::uint32_t extended_style() const noexcept { return extended_style_; }
  // Smallest and largest client size in dips for the user's sizing.
  rect size_limits() const noexcept { return {minimum_width_, minimum_height_, maximum_width_, maximum_height_}; }
  // A tooltip window tells here whether it is shown.
  bool shown = false;

private:
  struct timer_record {
    std::uint32_t user_key = 0;
    event_object* target = nullptr;
    bool one_shot = false;
  };

  enum class loop_start { none, pending, ended };

  void pump();
  void record_composition_key(const window_message* taken);
  // The outer size in pixels of a client area of this size in dips.
  point outer_size_for(std::int32_t width, std::int32_t height);

  std::unique_ptr<window_backend> backend_;
  window* window_ = nullptr;
  native_window* owner_ = nullptr;
  bool running_ = false;
  loop_start start_ = loop_start::none;
  // The pop-ups of this window whose loops run, oldest first.
  std::vector<native_window*> holders_;
  std::uint32_t timer_counter_ = 0;
  std::map<std::uint32_t, timer_record> timers_;
  std::uint32_t style_ = default_style;
  std::uint32_t extended_style_ = 0;
  point dpi_{96, 96};
  std::int32_t minimum_width_ = 0;
  std::int32_t minimum_height_ = 0;
  std::int32_t maximum_width_ = 100000;
  std::int32_t maximum_height_ = 100000;
};

}  // namespace hbsdk::ui
