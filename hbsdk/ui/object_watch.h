#pragma once
// Follows one event object across calls that may destroy it: the watch turns
// empty when the object's destructor runs, and then calls its callback, if
// it has one. Stack frames use it to stop touching an object that a callback
// destroyed; a widget that points at another one (a scroll bar at the widget
// it scrolls) uses the callback to let go of it when it dies.
//
// The event registry keeps the list of live watches and empties them from
// the object's destructor. The callback runs inside that destructor, so it
// must not touch the object that is going away.

#include "hbsdk/ui/non_copyable_non_moveable.h"

#include <functional>

namespace hbsdk::ui {

class event_object;

class object_watch : non_copyable_non_moveable {
public:
  // Watches the object (none: the watch is empty from the start).
  explicit object_watch(const event_object* object, std::function<void()> on_gone = {});
  ~object_watch();

  // Watches another object (or none); the callback stays.
  void reset(const event_object* object) noexcept;

  bool alive() const noexcept { return object_ != nullptr; }
  explicit operator bool() const noexcept { return alive(); }
  const event_object* get() const noexcept { return object_; }

private:
  friend class event_registry;

  const event_object* object_;
  std::function<void()> on_gone_;
};

}  // namespace hbsdk::ui
