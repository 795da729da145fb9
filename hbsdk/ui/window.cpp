#include "hbsdk/ui/window.h"

#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/saturate.h"

#include <algorithm>
#include <stdexcept>

namespace hbsdk::ui {

window::window() : native_(std::make_unique<native_window>()) {
  root.set_name("BaseWidget");
  set_cursor(cursor_shape::arrow);
}

window::~window() {
  // Widgets that outlive the window must not reach back into it: every
  // widget that points at it, not only those in the Tab order.
  for (widget* member : members_) {
    member->forget_window();
  }
  root.forget_window();
}

void window::create(std::string_view title, const rect& placement) {
  if (is_created() || root.is_created()) {
    throw std::logic_error("the window is already created");
  }
  native_->create(*this, title, placement, parent != nullptr ? parent->native_.get() : nullptr);
  title_ = title;
  create_tree({0, 0, placement.width, placement.height});
  renderer_ = std::make_unique<ui::renderer>(platform().create_render_backend(*native_));
  text_input_ = std::make_unique<text_input_context>(*native_, native_->backend().create_input_method());
}

void window::create_tree(const rect& client) {
  root.create_as_root(*this, client);
  focused_ = &root;
}

std::int32_t window::run_modal() {
  result_ = 0;
  // A close from a shown callback ends the loop before it starts.
  native_->begin_modal();
  fire(this, event_type::shown);
  native_->modal_loop();
  return result_;
}

void window::close(std::int32_t value) {
  result_ = value;
  fire(this, event_type::hidden);
  native_->end_modal();
}

void window::paint_tree(widget& w, const edge_rect& update) {
  if (!w.is_visible() || renderer_ == nullptr) {
    return;
  }
  const point position{w.x(), w.y()};
  // The origin is restored on every way out, also when a paint callback throws.
  struct origin_guard {
    point& origin;
    point saved;
    ~origin_guard() { origin = saved; }
  };
  const origin_guard restore{paint_origin_, paint_origin_};
  const std::int64_t left = std::int64_t{paint_origin_.x} + position.x;
  const std::int64_t top = std::int64_t{paint_origin_.y} + position.y;
  paint_origin_ = {saturate_to_int32(left), saturate_to_int32(top)};
  // Overlap with the edges included: only a rectangle wholly beside the
  // update rectangle is skipped. Taken in 64 bits, so a far-off or huge
  // widget cannot wrap around into view.
  const std::int64_t right = left + w.width();
  const std::int64_t bottom = top + w.height();
  const bool overlaps = !(update.left > right || update.top > bottom || update.right < left || update.bottom < top);
  if (!overlaps) {
    return;
  }
  // The scope is closed even when a paint callback throws.
  struct scope_guard {
    window& owner;
    ~scope_guard() { owner.renderer_->end_widget(); }
  };
  renderer_->begin_widget(w, update);
  const scope_guard guard{*this};
  // Children that a paint callback removes (or destroys) are neither
  // shadowed nor painted: each is checked against the live child list
  // before anything of it is read.
  const tracked_widget painted(*this, &w);
  const std::vector<widget*> children = w.children();
  fire(&w, event_type::paint);
  for (widget* child : children) {
    if (painted.get() != nullptr && w.has_child(child) && child->shadow.on) {
      renderer_->draw_shadow(child->bounds(), {child->shadow.offset_x, child->shadow.offset_y}, child->shadow.size);
    }
  }
  for (widget* child : children) {
    if (painted.get() != nullptr && w.has_child(child)) {
      paint_tree(*child, update);
    }
  }
}

// Each tick counts as 0.1 s of hovering. A tooltip shows after 0.75 s over
// one of the hovered widget's tooltip areas and hides after 6 s, or when the
// pointer moves to another area or widget.
void window::tooltip_tick() {
  if (hovered_ != tooltip_widget_) {
    hover_time_ = 0.0f;
    tooltip_widget_ = hovered_;
    hide_tooltip();
  } else if (hovered_ != nullptr) {
    const auto entries = tooltips_.find(hovered_);
    if (entries != tooltips_.end() && !entries->second.empty()) {
      const point p = cursor_position(hovered_);
      const tooltip_entry* under = nullptr;
      for (const tooltip_entry& entry : entries->second) {
        const rect& a = entry.area;
        if (p.x >= a.x && p.x <= a.x + a.width && p.y >= a.y && p.y <= a.y + a.height) {
          under = &entry;
          break;
        }
      }
      if (under == nullptr) {
        hover_time_ = 0.0f;
        hide_tooltip();
      } else if (under->area == tooltip_area_) {
        if (hover_time_ >= 6.0f) {
          hide_tooltip();
        } else if (hover_time_ > 0.75f && !native_->shown) {
          show_tooltip(*under);
        }
      } else {
        hover_time_ = 0.0f;
        tooltip_area_ = under->area;
        hide_tooltip();
      }
    }
  }
  hover_time_ += 0.1f;
}

void window::add_tooltip(const widget& owner, tooltip_entry entry) { tooltips_[&owner].push_back(std::move(entry)); }

// No tooltip window exists in this toolkit yet: showing only records the
// state, so the tick's timing can be followed.
void window::show_tooltip(const tooltip_entry&) { native_->shown = true; }

void window::hide_tooltip() { native_->shown = false; }

window::tracked_widget::tracked_widget(window& owner, widget* target) : owner_(owner), target_(target) {
  owner_.tracked_.push_back(&target_);
}

window::tracked_widget::~tracked_widget() { std::erase(owner_.tracked_, &target_); }

void window::forget_widget(widget& gone) noexcept {
  std::erase(focus_order_, &gone);
  std::erase(members_, &gone);
  if (focused_ == &gone) {
    focused_ = &gone == &root ? nullptr : &root;
  }
  if (hovered_ == &gone) {
    hovered_ = nullptr;
  }
  if (tooltip_widget_ == &gone) {
    tooltip_widget_ = nullptr;
  }
  tooltips_.erase(&gone);
  accessible_ids_.erase(&gone);
  native_->kill_timers_of(&gone);
  for (widget** slot : tracked_) {
    if (*slot == &gone) {
      *slot = nullptr;
    }
  }
}

}  // namespace hbsdk::ui
