#include "hbsdk/ui/widgets/scroll_bar.h"

#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/mouse_capture.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/window.h"
#include "resources/embedded.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hbsdk::ui {
namespace {

// A number truncated toward zero, kept inside the int32 range (and 0 for NaN),
// so that a tiny ratio or a wild wheel value cannot overflow a position.
std::int32_t truncate(double value) {
  constexpr double limit = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(value)) {
    return 0;
  }
  return static_cast<std::int32_t>(std::clamp(value, -limit, limit));
}

// A 64-bit result kept inside the int32 range.
std::int32_t saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Edges count as inside; the far edges are summed in 64 bits so that a
// rectangle reaching the end of the int32 range does not wrap.
bool contains(const rect& area, point p) {
  return p.x >= area.x && std::int64_t{p.x} <= std::int64_t{area.x} + area.width && p.y >= area.y &&
         std::int64_t{p.y} <= std::int64_t{area.y} + area.height;
}

// A thumb or track along the bar's axis, from start, length long and
// across wide, each kept inside the int32 range.
rect along_axis(bool is_vertical, std::int64_t start, std::int64_t length, std::int64_t across) {
  const std::int32_t s = saturate(start);
  const std::int32_t l = saturate(length);
  const std::int32_t a = saturate(across);
  return is_vertical ? rect{0, s, a, l} : rect{s, 0, l, a};
}

bool is_left_button(const event_info& info) { return info.value == 0; }

}  // namespace

ScrollBar::ScrollBar() { connect(this, event_type::created, this, &ScrollBar::on_created); }

ScrollBar::~ScrollBar() {
  if (dragging_) {
    end_drag();
  }
  release_target();
}

void ScrollBar::on_created() {
  connect(this, event_type::paint, this, &ScrollBar::paint);
  connect(this, event_type::mouse_down, this, &ScrollBar::on_mouse_down);
  connect(this, event_type::mouse_up, this, &ScrollBar::on_mouse_up);
  connect(this, event_type::mouse_move, this, &ScrollBar::on_mouse_move);
  connect(this, event_type::mouse_wheel, this, &ScrollBar::on_wheel);
  connect(this, event_type::resized, this, &ScrollBar::lay_out);
  arrows_->load_from_memory(hb::resources::scroll_arrows_png, hb::resources::scroll_arrows_png_size, 1.0f);
  lay_out();
}

void ScrollBar::lay_out() {
  const std::int32_t w = width();
  const std::int32_t h = height();
  first_button_ = {};
  second_button_ = {};
  if (buttons && orientation == vertical) {
    first_button_ = {0, 0, w, w};
    second_button_ = {0, h - w, w, w};
  } else if (buttons && orientation == horizontal) {
    first_button_ = {0, 0, h, h};
    second_button_ = {w - h, 0, h, h};
  }
  recompute();
}

void ScrollBar::release_target() {
  for (const connection& link : target_links_) {
    disconnect(link);
  }
  target_links_.clear();
}

void ScrollBar::set_target(widget* content) {
  release_target();
  target_ = content;
  target_watch_.reset(content);
  if (content == nullptr) {
    recompute();
    return;
  }
  move_target(0);
  target_links_.push_back(connect(content, event_type::resized, this, &ScrollBar::recompute));
  target_links_.push_back(connect(content, event_type::moved, this, &ScrollBar::recompute));
  target_links_.push_back(connect(content, event_type::mouse_wheel, this, &ScrollBar::on_wheel));
  if (widget* viewport = content->parent(); viewport != nullptr) {
    target_links_.push_back(connect(viewport, event_type::resized, this, &ScrollBar::clamp));
    target_links_.push_back(connect(viewport, event_type::child_removed, this, &ScrollBar::on_parent_lost_child));
  }
  recompute();
}

// The target left its parent (a widget being destroyed leaves its parent
// first): the bar lets go of it instead of keeping a pointer that may dangle.
void ScrollBar::on_parent_lost_child(const event_info& info) {
  if (value_pointer<widget>(info.value) == target_) {
    set_target(nullptr);
  }
}

// The target was destroyed without leaving a parent first (it had none, or
// its viewport went before it). This runs inside the target's destructor, so
// the target is not touched.
void ScrollBar::on_target_gone() {
  target_ = nullptr;
  release_target();
  recompute();
}

void ScrollBar::move_target(std::int32_t offset) {
  if (target_ == nullptr || !has_axis()) {
    return;
  }
  const rect current = target_->bounds();
  if (orientation == vertical) {
    target_->set_bounds({current.x, offset, current.width, current.height});
  } else {
    target_->set_bounds({offset, current.y, current.width, current.height});
  }
}

// Sizes are taken in 64 bits, so content or bars near the int32 limits give
// a range, thumb and ratio without wrapping. The position is kept in
// [0, range]: content that shrank, a viewport that grew or an offset set
// from outside moves the target back inside, and the target's moved event
// brings the bar back here with the new position.
void ScrollBar::recompute() {
  if (!has_axis()) {
    invalidate();
    return;
  }
  const bool is_vertical = orientation == vertical;
  const std::int64_t along = is_vertical ? height() : width();
  const std::int64_t across = is_vertical ? width() : height();
  const std::int64_t button_length = buttons ? across : 0;
  const std::int64_t track = along - 2 * button_length;
  if (target_ == nullptr) {
    range_ = 0;
    position_ = 0;
    ratio_ = 0.0f;
    thumb_ = along_axis(is_vertical, button_length, track, across);
    invalidate();
    return;
  }
  const auto extent = [is_vertical](const widget& w) -> std::int64_t { return is_vertical ? w.height() : w.width(); };
  const auto offset = [this, is_vertical]() -> std::int64_t { return is_vertical ? target_->y() : target_->x(); };
  // A target without a parent has no viewport to scroll in: range 0.
  const widget* viewport = target_->parent() != nullptr ? target_->parent() : target_;
  range_ = saturate(std::max<std::int64_t>(0, extent(*target_) - extent(*viewport)));
  if (const std::int64_t p = -offset(); p < 0 || p > range_) {
    move_target(saturate(-std::clamp<std::int64_t>(p, 0, range_)));
  }
  position_ = saturate(-offset());
  const std::int64_t length = std::max(across, track - range_);
  // A bar too short for its thumb leaves it no room to travel: ratio 0.
  const std::int64_t travel = track - length;
  ratio_ = range_ == 0 || travel <= 0 ? 0.0f : static_cast<float>(travel) / static_cast<float>(range_);
  const std::int64_t start = button_length + truncate(static_cast<float>(position_) * ratio_);
  thumb_ = along_axis(is_vertical, start, length, across);
  invalidate();
}

void ScrollBar::set_position(std::int32_t p, bool snap) {
  if (snap) {
    p -= p % step_;  // toward zero: the remainder has the sign of p
  }
  const std::int64_t offset = -std::int64_t{p};  // p may be the lowest int32
  move_target(static_cast<std::int32_t>(std::max<std::int64_t>(-range_, std::min<std::int64_t>(offset, 0))));
}

void ScrollBar::scroll_by(std::int32_t delta) {
  if (target_ == nullptr || !has_axis()) {
    return;
  }
  const std::int64_t offset = (orientation == vertical ? target_->y() : target_->x()) + std::int64_t{delta};
  move_target(static_cast<std::int32_t>(std::max<std::int64_t>(-range_, std::min<std::int64_t>(offset, 0))));
}

// The viewport was resized: content whose far end now lies inside it while
// its start is scrolled away has a position beyond the new range, and the
// recompute pulls it back so its end meets the viewport's.
void ScrollBar::clamp() { recompute(); }

void ScrollBar::on_mouse_down(const event_info& info) {
  if (!is_left_button(info) || !has_axis()) {
    return;
  }
  const point m = cursor_position(this);
  if (contains(thumb_, m)) {
    dragging_ = true;
    set_mouse_capture(this);
    const std::int64_t k = truncate(static_cast<float>(position_) * ratio_);
    drag_anchor_ = {saturate(m.x - k), saturate(m.y - k)};
    window()->native().capture_mouse();
    return;
  }
  if (buttons && (contains(first_button_, m) || contains(second_button_, m))) {
    return;  // the buttons act on the release
  }
  if (ratio_ == 0.0f) {
    return;
  }
  const bool is_vertical = orientation == vertical;
  const std::int64_t p = is_vertical ? m.y : m.x;
  const std::int64_t start = is_vertical ? thumb_.y : thumb_.x;
  const std::int64_t length = is_vertical ? thumb_.height : thumb_.width;
  if (p < start) {
    set_position(truncate(static_cast<float>(p) / ratio_), false);
  } else if (p > start + length) {
    set_position(truncate(static_cast<float>(p - length) / ratio_), false);
  }
}

void ScrollBar::on_mouse_move() {
  if (!dragging_ || ratio_ == 0.0f) {
    return;
  }
  const point m = cursor_position(this);
  const std::int64_t moved =
      orientation == vertical ? std::int64_t{m.y} - drag_anchor_.y : std::int64_t{m.x} - drag_anchor_.x;
  set_position(truncate(static_cast<float>(moved) / ratio_), true);
}

void ScrollBar::end_drag() {
  dragging_ = false;
  if (mouse_capture() == this) {
    set_mouse_capture(nullptr);
  }
  if (window() != nullptr) {
    window()->native().release_mouse();
  }
}

void ScrollBar::on_mouse_up(const event_info& info) {
  if (!is_left_button(info)) {
    return;
  }
  if (dragging_) {
    end_drag();
    return;
  }
  if (target_ == nullptr || !buttons || !has_axis()) {
    return;
  }
  const point m = cursor_position(this);
  if (contains(first_button_, m)) {
    scroll_by(step_);
  } else if (contains(second_button_, m)) {
    scroll_by(-step_);
  }
}

void ScrollBar::on_wheel(const event_info& info) { scroll_by(truncate(value_double(info.value))); }

void ScrollBar::paint() {
  renderer& r = window()->renderer();
  draw_track(r, {0, 0, width(), height()});
  if (!has_axis()) {
    return;
  }
  draw_thumb(r, thumb_);
  if (buttons) {
    draw_arrow_button(r, first_button_, true, *arrows_);
    draw_arrow_button(r, second_button_, false, *arrows_);
  }
}

void ScrollBar::draw_track(renderer& target, const rect& track) {
  target.fill_color = style.get_style_color("scroll_back_color");
  target.fill_rectangle(track);
}

// The grip lines are drawn solid whatever an earlier paint left in the
// renderer (a focused button leaves it dotted).
void ScrollBar::draw_thumb(renderer& target, const rect& thumb) {
  target.fill_color = style.get_style_color("scroll_bar_back_color");
  target.fill_rectangle(thumb);
  target.line_color = style.get_style_color("scroll_bar_line_color");
  target.line_width = 1.0f;
  target.dotted = 0;
  if (orientation == vertical) {
    const std::int64_t c = std::int64_t{thumb.y} + thumb.height / 2;
    for (const std::int64_t y : {c - 3, c, c + 3}) {
      target.draw_line({4, saturate(y)}, {saturate(std::int64_t{thumb.width} - 4), saturate(y)});
    }
  } else {
    const std::int64_t c = std::int64_t{thumb.x} + thumb.width / 2;
    for (const std::int64_t x : {c - 3, c, c + 3}) {
      target.draw_line({saturate(x), 4}, {saturate(x), saturate(std::int64_t{thumb.height} - 4)});
    }
  }
}

// The arrow picture is a diamond: its top, bottom, left and right halves
// are the up, down, left and right arrows.
void ScrollBar::draw_arrow_button(renderer& target, const rect& button, bool first, image& picture) {
  target.fill_color = style.get_style_color("scroll_button_back_color");
  target.fill_rectangle(button);
  target.line_color = style.get_style_color("scroll_button_line_color");
  target.line_width = 1.0f;
  target.dotted = 0;
  const bool is_vertical = orientation == vertical;
  if (is_vertical) {
    target.draw_line({button.x, button.y}, {button.x + button.width, button.y});
  } else {
    target.draw_line({button.x, button.y}, {button.x, button.y + button.height});
  }
  if (!picture.loaded()) {
    return;
  }
  if (is_vertical) {
    target.draw_image_part({button.x + button.width / 2 - 4, button.y + button.height / 2 - 2}, picture,
                           first ? rect{0, 0, 8, 4} : rect{0, 4, 8, 4});
  } else {
    target.draw_image_part({button.x + button.width / 2 - 2, button.y + button.height / 2 - 4}, picture,
                           first ? rect{0, 0, 4, 8} : rect{4, 0, 4, 8});
  }
}

}  // namespace hbsdk::ui
