#pragma once
// Where a cairo drawing backend draws: a surface for each frame and a way to
// show what was drawn. A window's target wraps the pixels of its native
// window; the image target is a plain image surface, for drawing without a
// display.

#include "hbsdk/ui/geometry.h"

#include <cairo.h>

#include <cstdint>

namespace hbsdk::ui {

class cairo_target {
public:
  virtual ~cairo_target() = default;
  cairo_target(const cairo_target&) = delete;
  cairo_target& operator=(const cairo_target&) = delete;

  // The client area changed to this size in pixels.
  virtual void resize(std::int32_t width, std::int32_t height) = 0;
  // The surface to draw one frame on, in window pixels (never null; it may be
  // empty when there is nothing to draw on). It stays valid until end_frame.
  virtual cairo_surface_t* begin_frame() = 0;
  // The frame is drawn; the area (window pixels) is what it may have changed.
  virtual void end_frame(const edge_rect& changed) = 0;

protected:
  cairo_target() = default;
};

}  // namespace hbsdk::ui
