#pragma once
// Platform services for tests, without any display: records every repaint
// request; lets a test place the pointer, press keys, set the DPI and put a
// window's client area anywhere on the screen; makes headless native windows
// and recording drawing backends; and runs a message queue that the test
// fills (post) and a clock that the test advances (elapse) to fire timers.
// Installs itself while it lives and restores the services that were
// installed before.
//
// A modal loop that waits on an empty queue calls the idle hook, which may
// post messages or close windows; without a hook, or when the hook leaves
// the queue empty and the loop running, it raises std::logic_error instead of
// waiting for ever.

#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/window_message.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace hbsdk::ui::test_support {

class headless_window_backend;
class recording_render_backend;

struct repaint_request {
  const window* target = nullptr;
  edge_rect area;

  friend bool operator==(const repaint_request&, const repaint_request&) = default;
};

class test_platform final : public platform_services {
public:
  test_platform();
  ~test_platform() override;
  test_platform(const test_platform&) = delete;
  test_platform& operator=(const test_platform&) = delete;

  void request_repaint(const window& target, const edge_rect& area) override;
  point pointer_position() override { return pointer_; }
  point screen_to_client(const window& target, point screen) override;
  bool is_key_down(std::int32_t virtual_key) override { return keys_down_.contains(virtual_key); }
  point screen_dpi() override { return dpi_; }
  point screen_size() override { return screen_size_; }
  std::unique_ptr<window_backend> create_window_backend(native_window& owner) override;
  std::unique_ptr<render_backend> create_render_backend(native_window& target) override;
  void wait_message() override;
  bool take_message() override;
  void dispatch_message() override;
  const window_message* taken_message() const override { return taken_ ? &taken_->message : nullptr; }
  void set_cursor(cursor_shape shape) override { cursor_ = shape; }

  // The pointer in screen pixels.
  void set_pointer(point screen) { pointer_ = screen; }
  void set_key(std::int32_t virtual_key, bool down);
  // The process DPI (what cursor_position scales with).
  void set_dpi(point dpi) { dpi_ = dpi; }
  // The DPI new native windows are made with.
  void set_device_dpi(point dpi) { device_dpi_ = dpi; }
  // Where the window's client area starts on the screen (default: where its
  // native window put it, or (0, 0) for a window without one).
  void set_client_origin(const window& target, point screen) { origins_[&target] = screen; }
  void set_screen_size(point size) { screen_size_ = size; }
  void set_work_area(const edge_rect& area) { work_area_ = area; }
  // The frame around every client area, as a platform's frame insets.
  void set_frame(const edge_rect& insets) { frame_ = insets; }
  const edge_rect& frame() const noexcept { return frame_; }
  const edge_rect& work_area() const noexcept { return work_area_; }
  point device_dpi() const noexcept { return device_dpi_; }
  cursor_shape cursor() const noexcept { return cursor_; }

  const std::vector<repaint_request>& repaints() const noexcept { return repaints_; }
  void clear_repaints() { repaints_.clear(); }

  // Queues a message for the window; a modal loop delivers it.
  void post(const window& target, const window_message& message);
  void post(native_window& target, const window_message& message);
  // Delivers a message at once, outside any loop, and returns its result
  // (nothing when the window procedure left it to the default processing).
  std::optional<std::int64_t> send(window& target, const window_message& message);
  // Queues a WM_PAINT of what is waiting to be painted in the window.
  void post_paint(const window& target);
  // Advances the clock and queues WM_TIMER for every timer that came due,
  // in the order they came due; a repeating timer comes due once per interval.
  void elapse(std::uint32_t milliseconds);
  std::uint64_t now() const noexcept { return clock_; }
  // Called when a modal loop finds the queue empty.
  std::function<void()> on_idle;
  std::size_t queued() const noexcept { return queue_.size(); }

  // The headless backend of a window, and the recording drawing backend of a
  // created window (the last one made for it).
  headless_window_backend& backend_of(const window& target) const;
  recording_render_backend& drawing_of(const window& target) const;

  // Every headless native window that exists, oldest first.
  const std::vector<headless_window_backend*>& backends() const noexcept { return backends_; }
  // Queues a press and a release of the button (0 left, 1 middle, 2 right)
  // with the pointer over client dips (x, y) of a native window (at 96 dpi)
  // when they are delivered.
  void post_click(native_window& target, point client, int button = 0);

  // Called by the headless backends.
  void backend_created(headless_window_backend& backend);
  void backend_destroyed(headless_window_backend& backend);

private:
  struct queued_message {
    native_window* target;
    window_message message;
    std::optional<point> pointer;  // where the pointer is when it is delivered
  };

  platform_services* previous_;
  point pointer_;
  point dpi_{96, 96};
  point device_dpi_{96, 96};
  point screen_size_{1280, 1024};
  edge_rect work_area_{0, 0, 1280, 1024};
  edge_rect frame_{};
  cursor_shape cursor_ = cursor_shape::arrow;
  std::set<std::int32_t> keys_down_;
  std::map<const window*, point> origins_;
  std::vector<repaint_request> repaints_;
  std::deque<queued_message> queue_;
  std::optional<queued_message> taken_;
  std::uint64_t clock_ = 0;
  std::vector<headless_window_backend*> backends_;
  std::map<const native_window*, recording_render_backend*> drawings_;
};

}  // namespace hbsdk::ui::test_support
