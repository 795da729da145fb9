#include "hbsdk/ui/renderer.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/image.h"
#include "hbsdk/ui/rich_text.h"
#include "hbsdk/ui/widget.h"

#include <algorithm>
#include <cmath>

namespace hbsdk::ui {
namespace {

float as_float(std::int32_t value) { return static_cast<float>(value); }

// Rectangles of negative size are drawn by no backend the same way; the
// shadow of a very small box produces some, and they are skipped.
bool has_area(const rect_f& area) { return area.right > area.left && area.bottom > area.top; }

}  // namespace

std::u16string drawable_text(std::string_view utf8) { return filesystem::to_wide_replacing(utf8); }

renderer::renderer(std::unique_ptr<render_backend> backend) : backend_(std::move(backend)) {}

renderer::~renderer() {
  // Each image drops its bitmap and takes itself out of images_.
  while (!images_.empty()) {
    images_.back()->forget_renderer(*this);
  }
}

void renderer::resize(std::int32_t width, std::int32_t height) { backend_->resize(width, height); }

void renderer::begin_widget(const widget& painted, const edge_rect& update) {
  if (scopes_.empty()) {
    origin_ = {};
    backend_->begin_frame();
  }
  const point position{origin_.x + painted.x(), origin_.y + painted.y()};
  // The update rectangle and the widget's own bounds, in window coordinates.
  rect_f clip{std::max(as_float(update.left), as_float(position.x)),
              std::max(as_float(update.top), as_float(position.y)),
              std::min(as_float(update.right), as_float(position.x + painted.width())),
              std::min(as_float(update.bottom), as_float(position.y + painted.height()))};
  clip.right = std::max(clip.right, clip.left);
  clip.bottom = std::max(clip.bottom, clip.top);
  backend_->push_scope(painted, {as_float(position.x), as_float(position.y)}, clip);
  scopes_.push_back({&painted, {painted.x(), painted.y()}});
  origin_ = position;
}

void renderer::end_widget() {
  if (scopes_.empty()) {
    return;
  }
  origin_.x -= scopes_.back().position.x;
  origin_.y -= scopes_.back().position.y;
  scopes_.pop_back();
  backend_->pop_scope();
  if (scopes_.empty()) {
    backend_->end_frame();
  }
}

void renderer::set_font(std::string_view family, float font_size, std::int32_t weight_kind,
                        std::int32_t style_kind) {
  style_.family = drawable_text(family);
  style_.size = font_size;
  style_.weight = weight_for_kind(weight_kind);
  style_.italic = italic_for_kind(style_kind);
}

void renderer::set_text_alignment(std::int32_t horizontal, std::int32_t vertical) {
  style_.horizontal = horizontal_for_kind(horizontal);
  style_.vertical = vertical_for_kind(vertical);
}

rect_f renderer::to_float(const rect& area) const noexcept {
  return {as_float(area.x), as_float(area.y), as_float(area.x) + as_float(area.width),
          as_float(area.y) + as_float(area.height)};
}

void renderer::fill_rectangle(const rect& area) { backend_->fill_rect(to_float(area), fill_color); }

void renderer::draw_rectangle(const rect& area) {
  const float half = line_width / 2.0f;
  const rect_f outer = to_float(area);
  backend_->stroke_rect({outer.left + half, outer.top + half, outer.right - half, outer.bottom - half}, line_color,
                        line_width, dotted == 1);
}

void renderer::draw_line(point from, point to) {
  // Width 1 (or any odd width) centres the line on a row of pixels.
  const float half = line_width / 2.0f;
  const float shift = half - std::floor(half);
  backend_->stroke_line({as_float(from.x) + shift, as_float(from.y) + shift},
                        {as_float(to.x) + shift, as_float(to.y) + shift}, line_color, line_width, dotted == 1);
}

void renderer::draw_image(point at, image& picture) {
  if (!picture.loaded()) {
    return;
  }
  draw_image_part(at, picture, {0, 0, picture.width(), picture.height()});
}

void renderer::draw_image_part(point at, image& picture, const rect& source) {
  if (!picture.loaded()) {
    return;
  }
  device_bitmap& bitmap = picture.bitmap_for(*this);
  backend_->draw_bitmap(bitmap, to_float(source), to_float({at.x, at.y, source.width, source.height}));
}

void renderer::draw_text(const rect& box, std::string_view text, text_wrapping wrapping) {
  text_style style = style_;
  style.wrapping = wrapping;
  backend_->draw_text(to_float(box), drawable_text(text), style, text_color);
}

size renderer::measure_text(std::string_view text, size maximum, text_wrapping wrapping) {
  text_style style = style_;
  style.wrapping = wrapping;
  const size_f measured =
      backend_->measure_text(drawable_text(text), style, {as_float(maximum.width), as_float(maximum.height)});
  return {static_cast<std::int32_t>(measured.width + 1.0f), static_cast<std::int32_t>(measured.height + 1.0f)};
}

void renderer::draw_rich_text(rich_text& document, const rect& box) {
  rich_layout& layout = document.get_layout(*this, as_float(box.width), as_float(box.height));
  backend_->draw_rich_layout(layout, {as_float(box.x), as_float(box.y)}, rich_text_color);
}

// The shadow's box reaches k = 0.7 size beyond the shifted rectangle; its
// corners and edges fade over a band of the full size, so the soft part
// starts 0.3 size inside the rectangle, and the rest is filled opaque (the
// widget covers it).
void renderer::draw_shadow(const rect& box, point offset, std::int32_t shadow_size) {
  const std::int32_t s = shadow_size;
  const std::int32_t k = s * 7 / 10;
  const std::int32_t left = box.x + offset.x - k;
  const std::int32_t top = box.y + offset.y - k;
  const std::int32_t right = box.x + offset.x + box.width + k;
  const std::int32_t bottom = box.y + offset.y + box.height + k;
  const auto f = as_float;
  const float radius = f(s);

  const rect_f corners[] = {
      {f(left), f(top), f(left + s), f(top + s)},
      {f(right - s), f(top), f(right), f(top + s)},
      {f(left), f(bottom - s), f(left + s), f(bottom)},
      {f(right - s), f(bottom - s), f(right), f(bottom)},
  };
  // Each corner fades around its corner that points into the box.
  const point_f centres[] = {
      {f(left + s), f(top + s)},
      {f(right - s), f(top + s)},
      {f(left + s), f(bottom - s)},
      {f(right - s), f(bottom - s)},
  };
  for (int i = 0; i < 4; ++i) {
    if (has_area(corners[i])) {
      backend_->fill_shadow_corner(corners[i], centres[i], radius);
    }
  }

  struct band {
    rect_f area;
    point_f opaque_edge;
    point_f clear_edge;
  };
  const band bands[] = {
      {{f(left), f(top + s), f(left + s), f(bottom - s)}, {f(left + s), f(top + s)}, {f(left), f(top + s)}},
      {{f(left + s), f(top), f(right - s), f(top + s)}, {f(left + s), f(top + s)}, {f(left + s), f(top)}},
      {{f(right - s), f(top + s), f(right), f(bottom - s)}, {f(right - s), f(top + s)}, {f(right), f(top + s)}},
      {{f(left + s), f(bottom - s), f(right - s), f(bottom)}, {f(left + s), f(bottom - s)}, {f(left + s), f(bottom)}},
  };
  for (const band& b : bands) {
    if (has_area(b.area)) {
      backend_->fill_shadow_band(b.area, b.opaque_edge, b.clear_edge);
    }
  }
  const rect_f inside{f(left + s), f(top + s), f(right - s), f(bottom - s)};
  if (has_area(inside)) {
    backend_->fill_shadow_inside(inside);
  }
}

}  // namespace hbsdk::ui
