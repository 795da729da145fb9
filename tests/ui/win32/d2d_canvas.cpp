#include "ui/win32/d2d_canvas.h"

#include "hbsdk/ui/win32/graphics_factories.h"

#include <algorithm>

namespace hb_test {

d2d_canvas::d2d_canvas(std::int32_t width, std::int32_t height) {
  ui::win32::com_ptr<ID2D1Factory> factory = ui::win32::create_d2d_factory();
  auto surface = std::make_unique<ui::win32::d2d_bitmap_surface>(*factory.get(), width, height);
  surface_ = surface.get();
  auto backend = std::make_unique<ui::win32::d2d_render_backend>(std::move(factory), std::move(surface));
  backend_ = backend.get();
  renderer_ = std::make_unique<ui::renderer>(std::move(backend));
  sheet_.set_bounds({0, 0, width, height});
}

void d2d_canvas::paint(const ui::widget& painted, const ui::edge_rect& update,
                       const std::function<void(ui::renderer&)>& draw) {
  renderer_->begin_widget(painted, update);
  draw(*renderer_);
  renderer_->end_widget();
}

void d2d_canvas::paint(const std::function<void(ui::renderer&)>& draw) {
  paint(sheet_, {0, 0, surface_->width(), surface_->height()}, draw);
}

std::vector<std::string> d2d_canvas::rows(const ui::edge_rect& area, std::uint32_t ink) const {
  const std::vector<std::uint32_t> all = surface_->pixels();
  std::vector<std::string> result;
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    std::string row;
    for (std::int32_t x = area.left; x < area.right; ++x) {
      const std::uint32_t pixel = all[static_cast<std::size_t>(y * surface_->width() + x)];
      row += pixel == ink ? '#' : pixel == clear ? '.' : '?';
    }
    result.push_back(row);
  }
  return result;
}

ui::edge_rect d2d_canvas::drawn_box(const ui::edge_rect& area) const {
  const std::vector<std::uint32_t> all = surface_->pixels();
  ui::edge_rect box{area.right, area.bottom, area.left, area.top};
  bool found = false;
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) {
      if (all[static_cast<std::size_t>(y * surface_->width() + x)] != clear) {
        found = true;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      }
    }
  }
  return found ? box : ui::edge_rect{};
}

std::unique_ptr<ui::widget> widget_at(const ui::rect& bounds) {
  auto made = std::make_unique<ui::widget>();
  made->set_bounds(bounds);
  return made;
}

}  // namespace hb_test
