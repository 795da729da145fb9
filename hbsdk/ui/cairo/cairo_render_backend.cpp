#include "hbsdk/ui/cairo/cairo_render_backend.h"

#include "hbsdk/ui/cairo/cairo_device_bitmap.h"
#include "hbsdk/ui/cairo/pango_rich_layout.h"
#include "hbsdk/ui/shadow_gradient.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace hbsdk::ui {
namespace {

double d(float value) { return static_cast<double>(value); }

void set_colour(cairo_t* context, const color& c) {
  cairo_set_source_rgba(context, d(c.red), d(c.green), d(c.blue), d(c.alpha));
}

bool is_empty(const edge_rect& area) { return area.right <= area.left || area.bottom <= area.top; }

// The whole pixels a clip touches, in window pixels.
edge_rect pixels_of(const rect_f& clip) {
  return {static_cast<std::int32_t>(std::floor(clip.left)), static_cast<std::int32_t>(std::floor(clip.top)),
          static_cast<std::int32_t>(std::ceil(clip.right)), static_cast<std::int32_t>(std::ceil(clip.bottom))};
}

edge_rect united(const edge_rect& a, const edge_rect& b) {
  if (is_empty(a)) {
    return b;
  }
  if (is_empty(b)) {
    return a;
  }
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// RAII for cairo_save / cairo_restore around one drawing call.
class saved_state {
public:
  explicit saved_state(cairo_t* context) : context_(context) { cairo_save(context_); }
  ~saved_state() { cairo_restore(context_); }
  saved_state(const saved_state&) = delete;
  saved_state& operator=(const saved_state&) = delete;

private:
  cairo_t* context_;
};

}  // namespace

cairo_render_backend::cairo_render_backend(std::unique_ptr<cairo_target> target) : target_(std::move(target)) {
  if (target_ == nullptr) {
    throw std::invalid_argument("a cairo drawing backend needs a target");
  }
}

cairo_render_backend::~cairo_render_backend() = default;

void cairo_render_backend::resize(std::int32_t width, std::int32_t height) { target_->resize(width, height); }

void cairo_render_backend::begin_frame() {
  if (context_ != nullptr) {
    return;
  }
  surface_ = target_->begin_frame();
  context_.reset(cairo_create(surface_));
  if (cairo_status(context_.get()) != CAIRO_STATUS_SUCCESS) {
    context_.reset();
    throw std::runtime_error("unable to create a cairo drawing context");
  }
  open_scopes_ = 0;
  changed_ = {};
}

void cairo_render_backend::end_frame() {
  if (context_ == nullptr) {
    return;
  }
  context_.reset();
  cairo_surface_flush(surface_);
  const edge_rect whole{0, 0, cairo_image_surface_get_width(surface_), cairo_image_surface_get_height(surface_)};
  edge_rect changed{std::max(changed_.left, whole.left), std::max(changed_.top, whole.top),
                    std::min(changed_.right, whole.right), std::min(changed_.bottom, whole.bottom)};
  if (is_empty(changed)) {
    changed = {};
  }
  surface_ = nullptr;
  target_->end_frame(changed);
}

// The clip replaces the parent's (reset, then the new rectangle), so a child
// that lies outside its parent is still drawn; pop_scope restores the
// parent's clip and translation.
void cairo_render_backend::push_scope(const widget&, point_f translation, const rect_f& clip) {
  if (context_ == nullptr) {
    return;
  }
  cairo_t* c = context_.get();
  cairo_save(c);
  ++open_scopes_;
  cairo_identity_matrix(c);
  cairo_reset_clip(c);
  cairo_rectangle(c, d(clip.left), d(clip.top), d(clip.width()), d(clip.height()));
  cairo_clip(c);
  cairo_translate(c, d(translation.x), d(translation.y));
  if (clip.right > clip.left && clip.bottom > clip.top) {
    changed_ = united(changed_, pixels_of(clip));
  }
}

void cairo_render_backend::pop_scope() {
  if (context_ == nullptr || open_scopes_ == 0) {
    return;
  }
  --open_scopes_;
  cairo_restore(context_.get());
}

void cairo_render_backend::fill_rect(const rect_f& area, const color& fill) {
  if (context_ == nullptr) {
    return;
  }
  cairo_t* c = context_.get();
  const saved_state saved(c);
  set_colour(c, fill);
  cairo_rectangle(c, d(area.left), d(area.top), d(area.width()), d(area.height()));
  cairo_fill(c);
}

void cairo_render_backend::set_stroke(float width, bool dotted) {
  cairo_t* c = context_.get();
  cairo_set_antialias(c, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(c, d(width));
  cairo_set_line_cap(c, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(c, CAIRO_LINE_JOIN_MITER);
  cairo_set_miter_limit(c, 10.0);
  if (dotted) {
    const double dash[] = {d(width), d(width)};
    cairo_set_dash(c, dash, 2, d(width) / 2.0);
  }
}

void cairo_render_backend::stroke_rect(const rect_f& edges, const color& line, float width, bool dotted) {
  if (context_ == nullptr) {
    return;
  }
  cairo_t* c = context_.get();
  const saved_state saved(c);
  set_stroke(width, dotted);
  set_colour(c, line);
  cairo_rectangle(c, d(edges.left), d(edges.top), d(edges.width()), d(edges.height()));
  cairo_stroke(c);
}

void cairo_render_backend::stroke_line(point_f from, point_f to, const color& line, float width, bool dotted) {
  if (context_ == nullptr) {
    return;
  }
  cairo_t* c = context_.get();
  const saved_state saved(c);
  set_stroke(width, dotted);
  set_colour(c, line);
  cairo_move_to(c, d(from.x), d(from.y));
  cairo_line_to(c, d(to.x), d(to.y));
  cairo_stroke(c);
}

void cairo_render_backend::draw_bitmap(device_bitmap& bitmap, const rect_f& source, const rect_f& destination) {
  if (context_ == nullptr || source.width() <= 0.0f || source.height() <= 0.0f) {
    return;
  }
  auto* picture = dynamic_cast<cairo_device_bitmap*>(&bitmap);
  if (picture == nullptr) {
    throw std::invalid_argument("the bitmap was made by another drawing backend");
  }
  cairo_t* c = context_.get();
  const saved_state saved(c);
  // Pattern space from user space: back to the destination's corner, scaled
  // to the source's size, onto the source's corner.
  cairo_matrix_t to_picture;
  cairo_matrix_init_translate(&to_picture, d(source.left), d(source.top));
  cairo_matrix_scale(&to_picture, d(source.width() / destination.width()), d(source.height() / destination.height()));
  cairo_matrix_translate(&to_picture, -d(destination.left), -d(destination.top));
  cairo_pattern_set_matrix(picture->pattern(), &to_picture);
  cairo_set_source(c, picture->pattern());
  cairo_rectangle(c, d(destination.left), d(destination.top), d(destination.width()), d(destination.height()));
  cairo_fill(c);
}

void cairo_render_backend::draw_text(const rect_f& box, std::u16string_view text, const text_style& style,
                                     const color& fill) {
  if (context_ == nullptr) {
    return;
  }
  cairo_t* c = context_.get();
  const saved_state saved(c);
  set_colour(c, fill);
  text_.draw(c, box, text, style);
}

std::unique_ptr<rich_layout> cairo_render_backend::make_rich_layout(std::u16string_view text, const text_style& base,
                                                                    std::span<const text_run_format> runs,
                                                                    size_f maximum) {
  return std::make_unique<pango_rich_layout>(text_, text, base, runs, maximum);
}

void cairo_render_backend::draw_rich_layout(rich_layout& layout, point_f at, const color& default_colour) {
  if (context_ == nullptr) {
    return;
  }
  cairo_t* c = context_.get();
  const saved_state saved(c);
  set_colour(c, default_colour);
  dynamic_cast<const pango_rich_layout&>(layout).draw(c, at);
}

size_f cairo_render_backend::measure_text(std::u16string_view text, const text_style& style, size_f maximum) {
  return text_.measure(text, style, maximum);
}

void cairo_render_backend::fill_with_shadow(cairo_pattern_t* gradient, const rect_f& area) {
  const cairo_handles::pattern owned(gradient);
  for (const gradient_stop& stop : shadow_gradient_stops()) {
    cairo_pattern_add_color_stop_rgba(gradient, d(stop.position), 0.0, 0.0, 0.0, d(stop.alpha));
  }
  cairo_pattern_set_extend(gradient, CAIRO_EXTEND_PAD);
  cairo_t* c = context_.get();
  const saved_state saved(c);
  cairo_set_source(c, gradient);
  cairo_rectangle(c, d(area.left), d(area.top), d(area.width()), d(area.height()));
  cairo_fill(c);
}

void cairo_render_backend::fill_shadow_corner(const rect_f& square, point_f centre, float radius) {
  if (context_ == nullptr) {
    return;
  }
  fill_with_shadow(cairo_pattern_create_radial(d(centre.x), d(centre.y), 0.0, d(centre.x), d(centre.y), d(radius)),
                   square);
}

void cairo_render_backend::fill_shadow_band(const rect_f& band, point_f opaque_edge, point_f clear_edge) {
  if (context_ == nullptr) {
    return;
  }
  fill_with_shadow(
      cairo_pattern_create_linear(d(opaque_edge.x), d(opaque_edge.y), d(clear_edge.x), d(clear_edge.y)), band);
}

void cairo_render_backend::fill_shadow_inside(const rect_f& area) { fill_rect(area, {0.0f, 0.0f, 0.0f, 1.0f}); }

std::unique_ptr<device_bitmap> cairo_render_backend::make_device_bitmap(const decoded_image& picture) {
  return std::make_unique<cairo_device_bitmap>(picture);
}

}  // namespace hbsdk::ui
