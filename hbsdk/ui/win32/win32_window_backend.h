#pragma once
// One Win32 window of the toolkit's class (window_class.h), as the portable
// native_window uses it. The handle's user data points at the native_window,
// whose messages the class's window procedure hands to the portable one.
//
//   [X] creation with an owner, title, DPI, frame insets, placement, work area
//   [X] show, hide, update, enable, focus
//   [X] SetTimer / KillTimer, TrackMouseEvent (leave), SetCapture / ReleaseCapture
//   [X] invalidation and the update rectangle, in dips (scaled with the DPI)
//   [X] the input method on imm32 (imm32_input_method.h)
//   [X] the OLE drop target (native_drop_target.h): OLE initialised and the
//       target locked with the backend, registered with the handle, revoked
//       before the handle goes (also when the system destroys it)
//   [X] screen readers: WM_GETOBJECT for the client area answered with the
//       window's accessible object (accessible_window.h), cut off when the
//       handle goes; the toolkit's changes sent on with NotifyWinEvent
//   [X] DestroyWindow in the destructor, after the registration is revoked
//       and the user data is cleared; then the drop target is unlocked and
//       OLE uninitialised
//
// The calls that run the window procedure inside the system (ShowWindow,
// UpdateWindow, SetFocus, ...) rethrow what a callback threw meanwhile.

#include "hbsdk/ui/win32/native_drop_target.h"
#include "hbsdk/ui/window_backend.h"

#include <windows.h>

namespace hbsdk::ui {
class native_window;
}

namespace hbsdk::ui::win32 {

class win32_window_backend final : public window_backend {
public:
  explicit win32_window_backend(native_window& owner) noexcept : owner_(owner) {}
  ~win32_window_backend() override;

  void create(const native_window_request& request) override;
  void* handle() const noexcept override { return handle_; }
  HWND hwnd() const noexcept { return handle_; }

  void set_title(std::u16string_view title) override;
  point device_dpi() override;
  edge_rect frame_insets(std::uint32_t style, std::uint32_t extended_style) override;
  edge_rect outer_rect() override;
  void set_outer_rect(const rect& outer) override;
  edge_rect work_area() override;

  bool is_visible() override;
  void show() override;
  void show_inactive() override;
  void hide() override;
  void update() override;
  void set_enabled(bool enabled) override;
  void set_focus() override;

  void start_timer(std::uint32_t id, std::uint32_t milliseconds) override;
  void stop_timer(std::uint32_t id) override;
  void track_mouse_leave() override;
  void capture_mouse() override;
  void release_mouse() override;

  // Areas in client dips; the window's pixels are scaled with its DPI,
  // rounding outward so that every pixel the area touches is included.
  void invalidate(const edge_rect& area) override;
  edge_rect update_rect() override;
  void validate(const edge_rect& area) override;

  std::unique_ptr<input_method> create_input_method() override;
  void post(const window_message& message) override;
  // EVENT_OBJECT_FOCUS (only while the window has the keyboard focus),
  // _NAMECHANGE, _STATECHANGE, _VALUECHANGE and _REORDER for the client area.
  void accessibility_event(accessible_change change, std::int32_t child) override;
  native_drop_target& drop_target() noexcept { return drop_target_; }

  // The answer to WM_GETOBJECT with these parameters: the accessible object
  // for the client area, nothing (0) for any other object.
  LRESULT answer_object_query(WPARAM wparam, LPARAM lparam);

  // The handle is being destroyed by the system (an owner's destruction
  // takes its owned windows along): its drop registration is revoked while
  // the handle is still valid, and the handle is not used again.
  void handle_destroyed() noexcept;

private:
  RECT to_pixels(const edge_rect& area) const noexcept;
  void release_accessible() noexcept;

  native_window& owner_;
  // First, so OLE is initialised before the window is made and uninitialised
  // after it is gone.
  native_drop_target drop_target_;
  HWND handle_ = nullptr;
  point dpi_{96, 96};
  // Made at the first query; one reference held here.
  class accessible_window* accessible_ = nullptr;
};

}  // namespace hbsdk::ui::win32
