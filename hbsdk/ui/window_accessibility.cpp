#include "hbsdk/ui/window.h"

#include <algorithm>

// What the window tells the platform's screen readers: its described
// widgets, their numbers, the changes worth announcing, and the default
// actions a reader asks for.
namespace hbsdk::ui {
namespace {

void collect(widget& node, std::vector<widget*>& into) {
  for (widget* child : node.children()) {
    if (!child->is_visible()) {
      continue;
    }
    if (child->describe().role != accessible_role::none) {
      into.push_back(child);
    }
    collect(*child, into);
  }
}

}  // namespace

accessible_description window::describe() const {
  accessible_description into;
  into.role = accessible_role::dialog;
  into.name = title_;
  into.bounds = {0, 0, root.width(), root.height()};
  into.state = accessible_state::focusable;
  return into;
}

std::vector<widget*> window::accessible_children() const {
  std::vector<widget*> into;
  if (root.is_visible()) {
    collect(const_cast<widget&>(root), into);
  }
  return into;
}

// Every listed child gets its number here, in tree order, the first time it
// is listed while one is asked for.
std::int32_t window::accessible_id(const widget& target) const {
  std::int32_t found = 0;
  for (const widget* child : accessible_children()) {
    const auto [entry, added] = accessible_ids_.try_emplace(child, next_accessible_id_);
    if (added) {
      ++next_accessible_id_;
    }
    if (child == &target) {
      found = entry->second;
    }
  }
  return found;
}

widget* window::accessible_child(std::int32_t id) const {
  if (id < 1) {
    return nullptr;
  }
  for (widget* child : accessible_children()) {
    if (accessible_id(*child) == id) {
      return child;
    }
  }
  return nullptr;
}

void window::accessible_changed(const widget& source, accessible_change change) {
  if (!native_->handle()) {
    return;
  }
  const std::int32_t id = accessible_id(source);
  if (id == 0 && change != accessible_change::focus) {
    return;
  }
  native_->backend().accessibility_event(change, id);
}

void window::accessible_structure_changed() {
  if (native_->handle()) {
    native_->backend().accessibility_event(accessible_change::structure, 0);
  }
}

bool window::request_default_action(std::int32_t id) {
  widget* target = accessible_child(id);
  if (target == nullptr || !target->is_enabled() || target->describe().default_action.empty()) {
    return false;
  }
  pending_actions_.push_back(std::make_unique<object_watch>(target));
  native_->backend().post({message::accessible_action, 0, 0});
  return true;
}

// One message may run several actions and a later one none: each runs once.
// An action may open a pop-up whose loop handles the next message, so each
// is taken off the queue before it runs.
void window::run_default_actions() {
  while (!pending_actions_.empty()) {
    const std::unique_ptr<object_watch> next = std::move(pending_actions_.front());
    pending_actions_.pop_front();
    if (next->alive()) {
      const auto* target = static_cast<const widget*>(next->get());
      const_cast<widget*>(target)->do_default_action();
    }
  }
}

}  // namespace hbsdk::ui
