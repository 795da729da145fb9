#include "hbsdk/ui/widget.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/mouse_capture.h"
#include "hbsdk/ui/object_watch.h"
#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/saturate.h"
#include "hbsdk/ui/window.h"

#include <algorithm>
#include <stdexcept>

namespace hbsdk::ui {
namespace {

// One axis of apply_anchors (lead is the left or top anchor, trail the right
// or bottom one): with both the widget stretches between them; with trail
// alone it keeps its distance to the far edge; with lead alone, to the near one.
void anchor_axis(const anchor& lead, const anchor& trail, std::int32_t parent_size, std::int32_t& position,
                 std::int32_t& size) {
  if (trail.set) {
    if (lead.set) {
      position = lead.margin;
      size = saturate_to_int32(std::int64_t{parent_size} - trail.margin - lead.margin);
    } else {
      position = saturate_to_int32(std::int64_t{parent_size} - trail.margin - size);
    }
  } else if (lead.set) {
    position = lead.margin;
  }
}

}  // namespace

widget::widget() : style(this) {}

widget::~widget() {
  // A widget destroyed by a shown callback during create names its parent
  // but is not in its list yet.
  if (parent_ != nullptr && parent_->has_child(this)) {
    parent_->remove_child(*this);
  }
  for (widget* child : children_) {
    child->parent_ = nullptr;
  }
  children_.clear();
  // Nothing may keep pointing at a widget that is gone.
  if (window_ != nullptr) {
    window_->forget_widget(*this);
  }
  if (mouse_capture() == this) {
    set_mouse_capture(nullptr);
  }
}

void widget::create(widget& parent, const rect& bounds) {
  if (created_) {
    throw std::logic_error("widget is already created");
  }
  if (&parent == this || is_ancestor_of(parent)) {
    throw std::invalid_argument("a widget cannot be created under itself or under one of its children");
  }
  if (parent_ != nullptr) {
    parent_->remove_child(*this);
  }
  move_to_window(parent.window_);
  parent_ = &parent;
  // A shown callback may destroy the widget: nothing more is done then.
  const object_watch self(this);
  place(bounds);
  if (!self) {
    return;
  }
  // Children created before this widget join its window after it.
  for (widget* child : children_) {
    child->join_window(window_);
  }
  parent.add_child(*this);
  if (self) {
    fire(this, event_type::created);
  }
}

void widget::create_as_root(ui::window& owner, const rect& client) {
  if (created_) {
    throw std::logic_error("widget is already created");
  }
  if (parent_ != nullptr) {
    parent_->remove_child(*this);
  }
  move_to_window(&owner);
  const object_watch self(this);
  place({0, 0, client.width, client.height});
  if (!self) {
    return;
  }
  // Children created before the root join the window after it.
  for (widget* child : children_) {
    child->join_window(&owner);
  }
  fire(this, event_type::created);
}

// Leaves the old window (its focus, hover, Tab order and member list forget
// this widget) and joins the new one's member list; the children are left as
// they are.
void widget::move_to_window(ui::window* target) {
  if (window_ == target) {
    return;
  }
  if (window_ != nullptr) {
    window_->forget_widget(*this);
  }
  window_ = target;
  if (target != nullptr) {
    target->members_.push_back(this);
  }
}

// Moves the subtree into another window (or out of any): each widget leaves
// the old window's focus, hover and Tab order, and each created widget joins
// the new window's Tab order, parents before their children.
void widget::join_window(ui::window* target) {
  if (window_ != target) {
    move_to_window(target);
    if (target != nullptr && created_) {
      target->focus_order_.push_back(this);
    }
  }
  for (widget* child : children_) {
    child->join_window(target);
  }
}

// The initial placement: a widget becomes visible and enabled when it is
// created. When the shown callback destroys the widget, nothing more is written.
void widget::place(const rect& bounds) {
  x_ = bounds.x;
  y_ = bounds.y;
  width_ = bounds.width;
  height_ = bounds.height;
  if (!enabled_) {
    enabled_ = true;
    for (widget* child : children_) {
      child->push_parent_enabled(true);
    }
    invalidate();
  }
  if (!visible_) {
    const object_watch self(this);
    fire(this, event_type::shown);
    if (!self) {
      return;
    }
    visible_ = true;
    for (widget* child : children_) {
      child->push_parent_visible(true);
    }
    invalidate();
  }
  if (window_ != nullptr) {
    window_->focus_order_.push_back(this);
  }
  created_ = true;
}

void widget::add_child(widget& child) {
  if (&child == this || child.is_ancestor_of(*this)) {
    throw std::invalid_argument("a widget cannot be a child of itself or of one of its children");
  }
  if (std::find(children_.begin(), children_.end(), &child) != children_.end()) {
    throw std::invalid_argument("the widget is already a child of this widget");
  }
  if (child.parent_ != nullptr && child.parent_ != this) {
    child.parent_->remove_child(child);
  }
  child.join_window(window_);
  child.parent_ = this;
  child.push_parent_enabled(enabled_);
  child.push_parent_visible(visible_);
  children_.push_back(&child);
  fire(this, event_type::child_added, pointer_value(&child));
}

void widget::remove_child(widget& child) {
  const auto found = std::find(children_.begin(), children_.end(), &child);
  if (found == children_.end()) {
    throw std::invalid_argument("the widget is not a child of this widget");
  }
  children_.erase(found);
  child.parent_ = nullptr;
  child.push_parent_enabled(true);
  child.push_parent_visible(true);
  fire(this, event_type::child_removed, pointer_value(&child));
}

// The inherited flags hold what was last pushed down: a child gets its
// parent's own flag, a grandchild the parent's own flag and its parent's.
void widget::push_parent_visible(bool visible) {
  parent_visible_ = visible;
  for (widget* child : children_) {
    child->push_parent_visible(visible && visible_);
  }
}

void widget::push_parent_enabled(bool enabled) {
  parent_enabled_ = enabled;
  for (widget* child : children_) {
    child->push_parent_enabled(enabled && enabled_);
  }
}

void widget::set_visible(bool visible) {
  if (visible == visible_) {
    return;
  }
  // Fired before the flag changes: a hidden callback still sees the widget
  // visible. A callback that destroys the widget ends the call.
  const object_watch self(this);
  fire(this, visible ? event_type::shown : event_type::hidden);
  if (!self) {
    return;
  }
  visible_ = visible;
  for (widget* child : children_) {
    child->push_parent_visible(visible);
  }
  invalidate();
  // What a screen reader can find in the window changed.
  if (window_ != nullptr && parent_visible_) {
    window_->accessible_structure_changed();
  }
}

void widget::set_enabled(bool enabled) {
  if (enabled == enabled_) {
    return;
  }
  enabled_ = enabled;
  for (widget* child : children_) {
    child->push_parent_enabled(enabled);
  }
  invalidate();
  if (parent_enabled_) {
    notify_enabled_subtree();
  }
}

// The widget's enabled state flipped: so did that of every descendant that
// is enabled itself, down to the first one that is not.
void widget::notify_enabled_subtree() const {
  notify_accessible(accessible_change::state);
  for (const widget* child : children_) {
    if (child->enabled_) {
      child->notify_enabled_subtree();
    }
  }
}

void widget::set_bounds(const rect& bounds) {
  const rect old = this->bounds();
  x_ = bounds.x;
  y_ = bounds.y;
  width_ = bounds.width;
  height_ = bounds.height;
  if (!created_) {
    return;
  }
  const bool size_changed = old.width != width_ || old.height != height_;
  const bool position_changed = old.x != x_ || old.y != y_;
  // Callbacks may add, remove or destroy children: walk the list as it was,
  // skipping each child that is no longer one by the time its turn comes.
  // A callback that destroys this widget ends the call.
  const std::vector<widget*> children = children_;
  const object_watch self(this);
  if (size_changed) {
    const std::uint64_t old_size = pack_pair(old.width, old.height);
    fire(this, event_type::resized, old_size);
    for (widget* child : children) {
      if (!self) {
        return;
      }
      if (!has_child(child)) {
        continue;
      }
      fire(child, event_type::parent_resized, old_size);
      if (self && has_child(child)) {
        child->apply_anchors(width_, height_);
      }
    }
    if (!self) {
      return;
    }
  }
  if (position_changed) {
    const std::uint64_t old_position = pack_pair(old.x, old.y);
    fire(this, event_type::moved, old_position);
    for (widget* child : children) {
      if (!self) {
        return;
      }
      if (has_child(child)) {
        fire(child, event_type::parent_moved, old_position);
      }
    }
    if (!self) {
      return;
    }
  }
  if (size_changed || position_changed) {
    invalidate_window_area(old);
  }
  invalidate();
}

void widget::apply_anchors(std::int32_t parent_width, std::int32_t parent_height) {
  anchor_axis(anchors.left, anchors.right, parent_width, x_, width_);
  anchor_axis(anchors.top, anchors.bottom, parent_height, y_, height_);
  invalidate();
}

point widget::window_origin() const noexcept {
  std::int64_t x = 0;
  std::int64_t y = 0;
  for (const widget* node = this; node != nullptr; node = node->parent_) {
    x += node->x_;
    y += node->y_;
  }
  return {saturate_to_int32(x), saturate_to_int32(y)};
}

accessible_description widget::describe() const {
  accessible_description into;
  describe_self(into);
  const point origin = window_origin();
  into.bounds = {origin.x, origin.y, width_, height_};
  if (!is_enabled()) {
    into.state |= accessible_state::unavailable;
  }
  if (tab_stop) {
    into.state |= accessible_state::focusable;
  }
  if (window_ != nullptr && window_->focused() == this) {
    into.state |= accessible_state::focused;
  }
  return into;
}

void widget::describe_self(accessible_description&) const {}

bool widget::do_default_action() {
  if (!is_enabled() || !is_visible()) {
    return false;
  }
  return act_by_default();
}

void widget::notify_accessible(accessible_change change) const {
  if (window_ != nullptr) {
    window_->accessible_changed(*this, change);
  }
}

void widget::invalidate() const { invalidate_window_area(bounds()); }

// The area is in the parent's coordinates (the widget's own rectangle, or
// the one it had before a change).
void widget::invalidate_window_area(const rect& area) const {
  if (window_ == nullptr) {
    return;
  }
  const point offset = parent_ != nullptr ? parent_->window_origin() : point{};
  const std::int64_t left = std::int64_t{offset.x} + area.x;
  const std::int64_t top = std::int64_t{offset.y} + area.y;
  platform().request_repaint(*window_, {saturate_to_int32(left), saturate_to_int32(top), saturate_to_int32(left + area.width),
                                        saturate_to_int32(top + area.height)});
}

bool widget::has_child(const widget* child) const noexcept {
  return std::find(children_.begin(), children_.end(), child) != children_.end();
}

bool widget::is_ancestor_of(const widget& other) const noexcept {
  for (const widget* node = other.parent_; node != nullptr; node = node->parent_) {
    if (node == this) {
      return true;
    }
  }
  return false;
}

}  // namespace hbsdk::ui
