#pragma once
// A renderer that draws with the Direct2D backend into a bitmap in memory,
// and the pixels it drew: the Windows drawing checked at pixel level without
// a window (a WIC bitmap target draws what a window target shows).

#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/widget.h"
#include "hbsdk/ui/win32/d2d_bitmap_surface.h"
#include "hbsdk/ui/win32/d2d_render_backend.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hb_test {

namespace ui = hbsdk::ui;

// Premultiplied 0xAARRGGBB values of opaque colours.
inline constexpr std::uint32_t clear = 0x00000000;
inline constexpr std::uint32_t red = 0xFFFF0000;
inline constexpr std::uint32_t green = 0xFF00FF00;
inline constexpr std::uint32_t blue = 0xFF0000FF;
inline constexpr std::uint32_t black = 0xFF000000;

inline constexpr ui::color red_colour{1.0f, 0.0f, 0.0f, 1.0f};
inline constexpr ui::color green_colour{0.0f, 1.0f, 0.0f, 1.0f};
inline constexpr ui::color blue_colour{0.0f, 0.0f, 1.0f, 1.0f};

class d2d_canvas {
public:
  d2d_canvas(std::int32_t width, std::int32_t height);

  ui::renderer& renderer() noexcept { return *renderer_; }
  ui::win32::d2d_render_backend& backend() noexcept { return *backend_; }
  ui::win32::d2d_bitmap_surface& surface() noexcept { return *surface_; }
  // A widget covering the whole canvas, for paints that need no other.
  const ui::widget& sheet() const noexcept { return sheet_; }

  // One frame: the scope of `painted` (its bounds in canvas coordinates)
  // over the update rectangle, with draw() inside it.
  void paint(const ui::widget& painted, const ui::edge_rect& update,
             const std::function<void(ui::renderer&)>& draw);
  // One frame of the whole canvas in the sheet's scope.
  void paint(const std::function<void(ui::renderer&)>& draw);

  std::uint32_t at(std::int32_t x, std::int32_t y) const { return surface_->pixel(x, y); }
  static std::uint32_t alpha(std::uint32_t pixel) noexcept { return pixel >> 24; }
  // The area's rows: '#' where the pixel is `ink`, '.' where it is clear,
  // '?' anywhere else.
  std::vector<std::string> rows(const ui::edge_rect& area, std::uint32_t ink) const;
  // The smallest rectangle holding every pixel of the area that is not
  // clear; empty (all zero) when there is none.
  ui::edge_rect drawn_box(const ui::edge_rect& area) const;

private:
  ui::win32::d2d_bitmap_surface* surface_ = nullptr;
  ui::win32::d2d_render_backend* backend_ = nullptr;
  std::unique_ptr<ui::renderer> renderer_;
  ui::widget sheet_;
};

// A widget at a place, for scopes.
std::unique_ptr<ui::widget> widget_at(const ui::rect& bounds);

}  // namespace hb_test
