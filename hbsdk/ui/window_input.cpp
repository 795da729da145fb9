#include "hbsdk/ui/window.h"

#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/key_state.h"
#include "hbsdk/ui/mouse_capture.h"

#include <algorithm>
#include <stdexcept>

// The input side of the window: hit testing, the routing of input events
// into the tree, and the keyboard focus.
namespace hbsdk::ui {
namespace {

constexpr std::uint64_t tab_character = 9;

std::uint64_t reason_value(focus_reason reason) { return static_cast<std::uint64_t>(reason); }

}  // namespace

widget* window::hit_test(point client) const {
  if (!root.is_visible()) {
    return nullptr;
  }
  if (client.x < 0 || client.y < 0 || client.x >= root.width() || client.y >= root.height()) {
    return nullptr;
  }
  const widget* node = &root;
  // Positions and far edges are taken in 64 bits: a child far off or huge
  // cannot wrap around under the pointer.
  std::int64_t px = client.x;
  std::int64_t py = client.y;
  for (;;) {
    px -= node->x();
    py -= node->y();
    const widget* next = nullptr;
    const std::vector<widget*>& children = node->children();
    // The last child is drawn last, so it is on top and hit first.
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      const widget& c = **child;
      if (c.is_visible() && c.x() <= px && px < std::int64_t{c.x()} + c.width() && c.y() <= py &&
          py < std::int64_t{c.y()} + c.height()) {
        next = &c;
        break;
      }
    }
    if (next == nullptr) {
      return const_cast<widget*>(node);
    }
    node = next;
  }
}

bool window::fire_on_enabled(widget* target, event_type code, std::uint64_t value) {
  if (target == nullptr || !target->is_enabled()) {
    return false;
  }
  fire(target, code, value);
  return true;
}

// Routing of each code; "enabled" means is_enabled, p is cursor_position(root).
//
//   mouse_up                 capture (if enabled), else the enabled widget at p
//   mouse_down, double_click the enabled widget at p: set_focus(it, mouse), then fire
//   mouse_wheel              the enabled widget at p, then its ancestors up to the
//                            root until one has a list
//   mouse_leave              hovered, if enabled (hovered keeps its value)
//   mouse_move               see route_mouse_move
//   key_down, key_up         focused (if enabled), then the window itself
//   key_char                 Tab moves the focus (Shift+Tab backwards) and fires
//                            nothing; any other character goes to focused
//   resized                  set_bounds of the root to (0, 0, width, height)
//   focus_gained, _lost      focused (if enabled) with 0, then the window with 0
//   files_dropped            the enabled widget at p
//   text_composition         focused, if enabled
//   anything else            ignored
bool window::dispatch(event_type code, std::uint64_t value) {
  switch (code) {
    case event_type::mouse_up: {
      widget* captured = mouse_capture();
      if (captured != nullptr && captured->is_enabled()) {
        fire(captured, code, value);
      } else {
        fire_on_enabled(hit_test(cursor_position(&root)), code, value);
      }
      break;
    }
    case event_type::mouse_down:
    case event_type::mouse_double_click: {
      // The focus callbacks may destroy the widget that was hit.
      const tracked_widget hit(*this, hit_test(cursor_position(&root)));
      if (hit.get() != nullptr && hit.get()->is_enabled()) {
        set_focus(hit.get(), focus_reason::mouse);
        if (hit.get() != nullptr) {
          fire(hit.get(), code, value);
        }
      }
      break;
    }
    case event_type::mouse_wheel: {
      widget* target = hit_test(cursor_position(&root));
      if (target != nullptr && target->is_enabled()) {
        while (!fire(target, code, value) && target != &root && target->parent() != nullptr) {
          target = target->parent();
        }
      }
      break;
    }
    case event_type::mouse_leave:
      fire_on_enabled(hovered_, code, value);
      break;
    case event_type::mouse_move:
      route_mouse_move();
      break;
    case event_type::key_down:
    case event_type::key_up:
      fire_on_enabled(focused_, code, value);
      fire(this, code, value);
      break;
    case event_type::key_char:
      if (value == tab_character) {
        if (key_state(key_selector::shift)) {
          focus_previous();
        } else {
          focus_next();
        }
      } else {
        fire_on_enabled(focused_, code, value);
      }
      break;
    case event_type::resized:
      root.set_bounds({0, 0, low_half(value), high_half(value)});
      break;
    case event_type::focus_gained:
    case event_type::focus_lost:
      fire_on_enabled(focused_, code, 0);
      fire(this, code, 0);
      break;
    case event_type::files_dropped: {
      fire_on_enabled(hit_test(cursor_position(&root)), code, value);
      break;
    }
    case event_type::text_composition:
      fire_on_enabled(focused_, code, value);
      break;
    default:
      break;
  }
  return true;
}

bool window::dispatch_double_click(std::uint64_t button) {
  widget* hit = hit_test(cursor_position(&root));
  if (hit != nullptr && hit->is_enabled() && has_handler(hit, event_type::mouse_double_click)) {
    return dispatch(event_type::mouse_double_click, button);
  }
  return dispatch(event_type::mouse_down, button);
}

// The capture takes every move while it is set and enabled. Otherwise a move
// within the hovered widget is a mouse_move; a move onto another widget is a
// mouse_leave for the old one and a mouse_enter for the new one (each only
// when enabled). hovered follows the hit even when it is none or disabled.
// When the mouse_leave callback destroys the new widget, the hit is taken
// again; when the mouse_enter callback destroys it, hovered becomes none.
void window::route_mouse_move() {
  widget* captured = mouse_capture();
  if (captured != nullptr && captured->is_enabled()) {
    fire(captured, event_type::mouse_move, 0);
    return;
  }
  const point p = cursor_position(&root);
  widget* hit = hit_test(p);
  if (hit == hovered_) {
    fire_on_enabled(hit, event_type::mouse_move, 0);
    return;
  }
  const tracked_widget next(*this, hit);
  fire_on_enabled(hovered_, event_type::mouse_leave, 0);
  if (next.get() != hit) {
    hit = hit_test(p);
  }
  const tracked_widget entered(*this, hit);
  fire_on_enabled(hit, event_type::mouse_enter, 0);
  hovered_ = entered.get();
}

// Re-entry: a focus_lost callback that moves the focus itself wins, and the
// outer call stops; the widget that is losing the focus gets focus_lost only
// once. A focus_lost callback that destroys the new widget sends the focus
// to the root instead.
void window::set_focus(widget* target, focus_reason reason) {
  if (target == focused_) {
    return;
  }
  if (target != nullptr && target->window() != this) {
    throw std::invalid_argument("the widget does not belong to this window");
  }
  const tracked_widget next(*this, target);
  const std::uint64_t change = ++focus_changes_;
  widget* const old = focused_;
  if (old != nullptr && old != losing_focus_) {
    struct losing_guard {
      widget*& slot;
      widget* saved;
      ~losing_guard() { slot = saved; }
    };
    const losing_guard restore{losing_focus_, losing_focus_};
    losing_focus_ = old;
    fire(old, event_type::focus_lost, reason_value(reason));
  }
  if (change != focus_changes_) {
    return;
  }
  if (target != nullptr && next.get() == nullptr) {
    target = &root;
  }
  focused_ = target;
  if (target != nullptr && target->is_enabled()) {
    accessible_changed(*target, accessible_change::focus);
    fire(target, event_type::focus_gained, reason_value(reason));
  }
}

std::size_t window::order_position(const widget* target) const noexcept {
  const auto found = std::find(focus_order_.begin(), focus_order_.end(), target);
  return static_cast<std::size_t>(found - focus_order_.begin());
}

// Only a widget still in the tree below the root takes Tab: one that
// remove_child took out stays in the Tab order but is passed over.
bool window::accepts_tab(const widget* candidate) const {
  return candidate->tab_stop && candidate->is_enabled() && candidate->is_visible() && in_tree(candidate);
}

bool window::in_tree(const widget* candidate) const noexcept {
  const widget* node = candidate;
  while (node->parent() != nullptr) {
    node = node->parent();
  }
  return node == &root;
}

// The position of the focused widget in the Tab order (the root when nothing
// is focused); the order's size when the tree is not created yet.
std::size_t window::tab_start() {
  if (focused_ == nullptr) {
    focused_ = &root;
  }
  return order_position(focused_);
}

// Steps from `from` through the Tab order, wrapping, until a widget that
// accepts Tab or until back at `start`, and focuses it when it is another one.
void window::tab_to(std::size_t from, std::size_t start, bool forward) {
  const std::size_t count = focus_order_.size();
  std::size_t i = from;
  widget* candidate = focused_;
  do {
    i = forward ? (i + 1) % count : (i == 0 ? count - 1 : i - 1);
    if (accepts_tab(focus_order_[i])) {
      candidate = focus_order_[i];
      break;
    }
  } while (i != start);
  if (candidate != focused_) {
    set_focus(candidate, focus_reason::keyboard);
  }
}

void window::focus_next() {
  const std::size_t start = tab_start();
  if (start < focus_order_.size()) {
    tab_to(start, start, true);
  }
}

// From a widget that is no tab stop, the walk starts at the nearest earlier
// tab stop, which is therefore passed over: with tab stops X, Y, Z after the
// root and the root focused, Tab lands on X but Shift+Tab on Y.
void window::focus_previous() {
  const std::size_t start = tab_start();
  const std::size_t count = focus_order_.size();
  if (start >= count) {
    return;
  }
  std::size_t from = start;
  if (!focused_->tab_stop) {
    do {
      from = from == 0 ? count - 1 : from - 1;
    } while (from != start && !focus_order_[from]->tab_stop);
  }
  tab_to(from, start, false);
}

}  // namespace hbsdk::ui
