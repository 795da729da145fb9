#include "cairo_canvas.h"

cairo_canvas::cairo_canvas(std::int32_t width, std::int32_t height) {
  auto target = std::make_unique<ui::cairo_image_target>(width, height);
  target_ = target.get();
  auto backend = std::make_unique<ui::cairo_render_backend>(std::move(target));
  backend_ = backend.get();
  renderer_ = std::make_unique<ui::renderer>(std::move(backend));
}

void cairo_canvas::begin(const ui::widget& scope) {
  renderer_->begin_widget(scope, {0, 0, target_->width(), target_->height()});
  renderer_->fill_color = {1.0f, 1.0f, 1.0f, 1.0f};
  renderer_->fill_rectangle({-scope.x(), -scope.y(), target_->width(), target_->height()});
}

std::optional<ui::edge_rect> cairo_canvas::ink_box(std::uint32_t background) const {
  std::optional<ui::edge_rect> box;
  for (int y = 0; y < target_->height(); ++y) {
    for (int x = 0; x < target_->width(); ++x) {
      if (at(x, y) == background) {
        continue;
      }
      if (!box) {
        box = ui::edge_rect{x, y, x + 1, y + 1};
      } else {
        box = ui::edge_rect{std::min(box->left, x), std::min(box->top, y), std::max(box->right, x + 1),
                            std::max(box->bottom, y + 1)};
      }
    }
  }
  return box;
}
