#pragma once
// A native window that exists only in memory, for tests: it keeps what the
// window logic did to it (title, placement, visibility, enabled state,
// timers, capture, the area waiting to be painted) so a test can check it,
// and it gets its messages from the test platform's queue.

#include "hbsdk/ui/window_backend.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace hbsdk::ui {
class native_window;
}

namespace hbsdk::ui::test_support {

class scripted_input_method;
class test_platform;

class headless_window_backend final : public window_backend {
public:
  headless_window_backend(test_platform& platform, native_window& owner);
  ~headless_window_backend() override;

  void create(const native_window_request& request) override;
  void* handle() const noexcept override { return created_ ? const_cast<headless_window_backend*>(this) : nullptr; }
  void set_title(std::u16string_view title) override { title_ = title; }
  point device_dpi() override;
  edge_rect frame_insets(std::uint32_t style, std::uint32_t extended_style) override;
  edge_rect outer_rect() override { return outer_; }
  void set_outer_rect(const rect& outer) override;
  edge_rect work_area() override;
  bool is_visible() override { return visible_; }
  void show() override;
  void show_inactive() override { visible_ = true; }
  void hide() override { visible_ = false; }
  void update() override;
  void set_enabled(bool enabled) override { enabled_ = enabled; }
  void set_focus() override { ++focus_requests_; }
  void start_timer(std::uint32_t id, std::uint32_t milliseconds) override;
  void stop_timer(std::uint32_t id) override { timers_.erase(id); }
  void track_mouse_leave() override { ++leave_requests_; }
  void capture_mouse() override { captured_ = true; }
  void release_mouse() override { captured_ = false; }
  void invalidate(const edge_rect& area) override;
  edge_rect update_rect() override { return pending_; }
  void validate(const edge_rect& area) override;
  std::unique_ptr<input_method> create_input_method() override;
  // Queued on the test platform like the test's own messages.
  void post(const window_message& message) override;
  void accessibility_event(accessible_change change, std::int32_t child) override {
    accessibility_events_.push_back({change, child});
  }

  native_window& owner() const noexcept { return owner_; }
  // The input method handed to the window's text-input context.
  scripted_input_method* ime() const noexcept { return ime_; }
  const native_window_request& request() const noexcept { return request_; }
  const std::u16string& title() const noexcept { return title_; }
  bool enabled() const noexcept { return enabled_; }
  int focus_requests() const noexcept { return focus_requests_; }
  int leave_requests() const noexcept { return leave_requests_; }
  bool captured() const noexcept { return captured_; }

  struct running_timer {
    std::uint32_t interval = 0;
    std::uint64_t due = 0;  // on the test platform's clock
  };
  const std::map<std::uint32_t, running_timer>& timers() const noexcept { return timers_; }

  // The screen-reader notifications the window logic raised, oldest first.
  struct accessibility_record {
    accessible_change change;
    std::int32_t child;
    bool operator==(const accessibility_record&) const = default;
  };
  const std::vector<accessibility_record>& accessibility_events() const noexcept { return accessibility_events_; }
  void clear_accessibility_events() { accessibility_events_.clear(); }
  std::map<std::uint32_t, running_timer>& timers() noexcept { return timers_; }

private:
  test_platform& platform_;
  native_window& owner_;
  native_window_request request_;
  bool created_ = false;
  std::u16string title_;
  edge_rect outer_;
  bool visible_ = false;
  bool enabled_ = true;
  int focus_requests_ = 0;
  int leave_requests_ = 0;
  bool captured_ = false;
  std::map<std::uint32_t, running_timer> timers_;
  edge_rect pending_;
  scripted_input_method* ime_ = nullptr;
  std::vector<accessibility_record> accessibility_events_;
};

}  // namespace hbsdk::ui::test_support
