#pragma once
// What a platform does for one native window: the operations the portable
// native_window (native_window.h) needs, in Win32 terms. Each platform
// implements it in its own folder (win32/, sdl/); the test platform has a
// headless one. Coordinates are screen pixels unless a name says otherwise.
//
// Every native window delivers its messages, translated into window_message
// values, to handle_message (window_procedure.h) of its native_window.

#include "hbsdk/ui/accessible_description.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/input_method.h"
#include "hbsdk/ui/window_message.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace hbsdk::ui {

// What the native window is made with.
struct native_window_request {
  std::int32_t x = 0;  // outer position, screen pixels
  std::int32_t y = 0;
  std::int32_t outer_width = 0;  // outer size, pixels
  std::int32_t outer_height = 0;
  std::uint32_t style = 0;
  std::uint32_t extended_style = 0;
  class window_backend* owner = nullptr;  // the window that owns this one, if any
};

class window_backend {
public:
  virtual ~window_backend() = default;
  window_backend(const window_backend&) = delete;
  window_backend& operator=(const window_backend&) = delete;

  // Makes the native window, hidden. A platform that cannot make it leaves
  // the backend without a window; the other operations then do nothing.
  virtual void create(const native_window_request& request) = 0;
  // The platform's handle (HWND, SDL_Window*), or null before create.
  virtual void* handle() const noexcept = 0;

  virtual void set_title(std::u16string_view title) = 0;
  // Dots per inch of the screen the window is made on (x, y).
  virtual point device_dpi() = 0;
  // The frame around a client area for this style: the rectangle an empty
  // client rectangle grows to (left and top are zero or negative).
  virtual edge_rect frame_insets(std::uint32_t style, std::uint32_t extended_style) = 0;
  // The outer rectangle on the screen.
  virtual edge_rect outer_rect() = 0;
  // Moves the outer rectangle; the size is kept when width or height is negative.
  virtual void set_outer_rect(const rect& outer) = 0;
  // The work area of the monitor nearest to the window.
  virtual edge_rect work_area() = 0;

  virtual bool is_visible() = 0;
  virtual void show() = 0;
  // Shows the window without taking the keyboard focus.
  virtual void show_inactive() = 0;
  virtual void hide() = 0;
  // Paints at once what is waiting to be painted.
  virtual void update() = 0;
  virtual void set_enabled(bool enabled) = 0;
  virtual void set_focus() = 0;

  // Repeating native timer with this id; the window receives WM_TIMER.
  virtual void start_timer(std::uint32_t id, std::uint32_t milliseconds) = 0;
  virtual void stop_timer(std::uint32_t id) = 0;
  // Asks for one WM_MOUSELEAVE when the pointer leaves the client area.
  virtual void track_mouse_leave() = 0;
  virtual void capture_mouse() = 0;
  virtual void release_mouse() = 0;

  // Adds to the area waiting to be painted (client units) and asks for a WM_PAINT.
  virtual void invalidate(const edge_rect& area) = 0;
  // The area waiting to be painted; empty (right <= left or bottom <= top) when none.
  virtual edge_rect update_rect() = 0;
  // Takes the area out of what is waiting to be painted.
  virtual void validate(const edge_rect& area) = 0;

  // The platform's input method for this window; none when it has none.
  virtual std::unique_ptr<input_method> create_input_method() { return nullptr; }

  // Queues a message for this window behind the ones waiting; a platform
  // without a use for it (no screen reader to ask) does nothing.
  virtual void post(const window_message&) {}
  // Tells the platform's screen readers what changed: child is the number
  // of a described widget (window::accessible_id), 0 for the window itself.
  // A platform without a screen-reader interface does nothing.
  virtual void accessibility_event(accessible_change, std::int32_t) {}

protected:
  window_backend() = default;
};

}  // namespace hbsdk::ui
