#pragma once
// The process-wide services of a platform, behind one interface: what the
// widget tree needs (a repaint request for part of a window, the pointer
// position and its conversion to a window's client pixels, the state of a
// key, the screen DPI read once at start-up), the native windows and their
// drawing backends, the message queue that modal loops pump, and the cursor.
//
// A program installs its platform's implementation at start-up (the Windows
// or the SDL one); tests install the headless one from hbsdk/ui/testing.
// Until one is installed, a null implementation answers: no repaint, pointer
// at (0, 0), every key up, 96 DPI, windows that exist only as backends that
// do nothing, and a message queue that is always empty (a modal loop run on
// it raises std::logic_error instead of waiting for ever).

#include "hbsdk/ui/cursor_shape.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/render_backend.h"
#include "hbsdk/ui/window_backend.h"
#include "hbsdk/ui/window_message.h"

#include <cstdint>
#include <memory>

namespace hbsdk::ui {

class native_window;
class window;

class platform_services {
public:
  virtual ~platform_services() = default;

  // Queues a repaint of the rectangle (client units) of the window, without erasing.
  virtual void request_repaint(const window& target, const edge_rect& area) = 0;
  // The pointer position in screen pixels.
  virtual point pointer_position() = 0;
  // Converts a screen position to the client pixels of the window.
  virtual point screen_to_client(const window& target, point screen) = 0;
  // True while the key with this virtual-key code is down.
  virtual bool is_key_down(std::int32_t virtual_key) = 0;
  // Dots per inch of the screen (x, y), as read once at start-up.
  virtual point screen_dpi() = 0;
  // The size of the primary screen in pixels.
  virtual point screen_size() = 0;

  // A backend for a new native window (not made yet: see window_backend::create).
  virtual std::unique_ptr<window_backend> create_window_backend(native_window& owner) = 0;
  // The drawing backend of a native window, made right after the window.
  virtual std::unique_ptr<render_backend> create_render_backend(native_window& target) = 0;

  // The message queue of the user-interface thread, shared by every window:
  // wait_message blocks until a message is queued; take_message removes the
  // next one (false when none is queued) and dispatch_message delivers the
  // one taken last to its window. A modal loop is built from these three.
  virtual void wait_message() = 0;
  virtual bool take_message() = 0;
  virtual void dispatch_message() = 0;
  // The message taken last, until it is dispatched; none when no message
  // waits to be dispatched. The modal loop reads it to record the keys
  // pressed during a composition. The default answers none.
  virtual const window_message* taken_message() const { return nullptr; }

  virtual void set_cursor(cursor_shape shape) = 0;

protected:
  platform_services() = default;
  platform_services(const platform_services&) = default;
  platform_services& operator=(const platform_services&) = default;
};

// The installed services (the null implementation when none is).
platform_services& platform();
// Installs services (none restores the null implementation); returns the
// previously installed ones, or none when the null implementation was active.
platform_services* set_platform_services(platform_services* services) noexcept;

}  // namespace hbsdk::ui
