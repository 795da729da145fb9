#pragma once
// A renderer over the cairo drawing backend on an image surface, with the
// widgets the tests paint in, and helpers that read pixels back.

#include "hbsdk/ui/cairo/cairo_image_target.h"
#include "hbsdk/ui/cairo/cairo_render_backend.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/widget.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>

namespace ui = hbsdk::ui;

// A widget placed without a window (its rectangle is all a paint scope needs).
struct placed_widget {
  explicit placed_widget(const ui::rect& bounds) { w.set_bounds(bounds); }
  ui::widget w;
};

class cairo_canvas {
public:
  cairo_canvas(std::int32_t width, std::int32_t height);

  ui::renderer& painter() { return *renderer_; }
  ui::cairo_render_backend& backend() { return *backend_; }
  ui::cairo_image_target& target() { return *target_; }

  // Opens a frame with the whole canvas as update rectangle and fills it white.
  void begin(const ui::widget& scope);
  void end() { renderer_->end_widget(); }
  std::uint32_t at(int x, int y) const { return target_->pixel(x, y); }
  // The box (left, top, right, bottom) of the pixels that are not `background`.
  std::optional<ui::edge_rect> ink_box(std::uint32_t background = white) const;

  static constexpr std::uint32_t white = 0xFFFFFF;
  static constexpr std::uint32_t black = 0x000000;

private:
  ui::cairo_image_target* target_;
  ui::cairo_render_backend* backend_;
  std::unique_ptr<ui::renderer> renderer_;
};
