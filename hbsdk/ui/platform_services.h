#pragma once
// The few platform services the widget tree needs, behind one small
// interface: a repaint request for part of a window, the pointer position in
// screen pixels and its conversion to a window's client pixels, the state of
// a key, and the screen DPI read once at start-up.
//
// Each platform installs its implementation at start-up; tests install the
// recording one from hbsdk/ui/testing. Until one is installed, a null
// implementation answers: no repaint, pointer at (0, 0), every key up, 96 DPI.

#include "hbsdk/ui/geometry.h"

#include <cstdint>

namespace hbsdk::ui {

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
