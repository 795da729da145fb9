#pragma once
// The process-wide table of event callbacks: for each (object, event code)
// pair an ordered list of callbacks, run in the order they were connected.
// Used on the user-interface thread only; it takes no locks.
//
// fire() calls a copy of the list, so a callback may connect or disconnect
// callbacks without changing the call in progress. A callback may also
// destroy the object the event is fired on: the callbacks of that call that
// have not run yet are then skipped. (Callbacks bound to other objects that a
// callback destroys are not protected.) An empty callback raises
// std::bad_function_call out of fire().
//
// connect() returns a connection naming the one callback it added, so that an
// object that connected to another object's events (a scroll bar to the
// widget it scrolls) can take back its own callbacks and leave the others in
// place. Connection ids are never reused, so disconnecting a connection whose
// object or list is gone (or whose address now belongs to another object)
// does nothing.

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_object.h"
#include "hbsdk/ui/event_type.h"
#include "hbsdk/ui/non_copyable_non_moveable.h"
#include "hbsdk/ui/object_watch.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace hbsdk::ui {

using event_callback = std::function<void(const event_info&)>;

// One callback in the registry; an id of 0 names none.
struct connection {
  const event_object* object = nullptr;
  event_type code = event_type::mouse_up;
  std::uint64_t id = 0;
};

class event_registry : non_copyable_non_moveable {
public:
  // The one registry, built on first use and destroyed at process exit.
  static event_registry& instance();

  // Appends the callback to the pair's list, creating the list if needed.
  connection connect(const event_object* object, event_type code, event_callback callback);
  // Calls a copy of the pair's list in order. False when the pair has no list
  // (nothing is called); true otherwise, also for an empty list.
  bool fire(event_object* object, event_type code, std::uint64_t value = 0);
  // True when the pair has a list, even an empty one.
  bool has_handler(const event_object* object, event_type code) const;
  // Erases the pair's list.
  void disconnect_all(const event_object* object, event_type code);
  // Removes the one callback of the connection; a list left empty is erased,
  // so the pair is as if nothing had been connected to it (fire returns false
  // and the wheel bubbles past it). A call of fire() in progress still runs
  // its copy. True when the callback was still connected.
  bool disconnect(const connection& link);
  // Erases every list of the object (its destructor does this), stops the
  // calls of fire() in progress on it and empties its watches (object_watch),
  // calling their callbacks.
  void disconnect_object(const event_object* object);
  // Number of objects that hold at least one list.
  std::size_t object_count() const noexcept { return lists_.size(); }

private:
  friend class object_watch;

  event_registry() = default;
  ~event_registry() = default;

  void add_watch(object_watch* watch);
  void remove_watch(object_watch* watch) noexcept;

  struct entry {
    std::uint64_t id;
    event_callback callback;
  };

  using code_lists = std::unordered_map<std::int32_t, std::vector<entry>>;
  std::unordered_map<const event_object*, code_lists> lists_;
  // Every live watch; a call of fire() in progress watches its object, so the
  // rest of its callbacks are skipped once the object is gone.
  std::vector<object_watch*> watches_;
  std::uint64_t last_id_ = 0;
};

// Shorthands for the registry's operations.
inline connection connect(const event_object* object, event_type code, event_callback callback) {
  return event_registry::instance().connect(object, code, std::move(callback));
}
inline bool fire(event_object* object, event_type code, std::uint64_t value = 0) {
  return event_registry::instance().fire(object, code, value);
}
inline bool has_handler(const event_object* object, event_type code) {
  return event_registry::instance().has_handler(object, code);
}
inline void disconnect_all(const event_object* object, event_type code) {
  event_registry::instance().disconnect_all(object, code);
}
inline bool disconnect(const connection& link) { return event_registry::instance().disconnect(link); }

// The three shapes of bound member function. A null target or member becomes
// an empty callback, which fire() reports as std::bad_function_call instead of
// calling through a null pointer.
template <class Target, class Class>
connection connect(const event_object* object, event_type code, Target* target,
                   void (Class::*member)(const event_info&)) {
  event_callback callback;
  if (target != nullptr && member != nullptr) {
    callback = [target, member](const event_info& info) { (target->*member)(info); };
  }
  return connect(object, code, std::move(callback));
}

template <class Target, class Class>
connection connect(const event_object* object, event_type code, Target* target, void (Class::*member)()) {
  event_callback callback;
  if (target != nullptr && member != nullptr) {
    callback = [target, member](const event_info&) { (target->*member)(); };
  }
  return connect(object, code, std::move(callback));
}

template <class Target, class Class>
connection connect(const event_object* object, event_type code, Target* target, void (Class::*member)(bool),
                   bool fixed) {
  event_callback callback;
  if (target != nullptr && member != nullptr) {
    callback = [target, member, fixed](const event_info&) { (target->*member)(fixed); };
  }
  return connect(object, code, std::move(callback));
}

}  // namespace hbsdk::ui
