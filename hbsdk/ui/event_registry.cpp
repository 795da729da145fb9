#include "hbsdk/ui/event_registry.h"

#include <algorithm>
#include <iterator>

namespace hbsdk::ui {

event_registry& event_registry::instance() {
  static event_registry registry;
  return registry;
}

connection event_registry::connect(const event_object* object, event_type code, event_callback callback) {
  const std::uint64_t id = ++last_id_;
  lists_[object][static_cast<std::int32_t>(code)].push_back({id, std::move(callback)});
  return {object, code, id};
}

bool event_registry::fire(event_object* object, event_type code, std::uint64_t value) {
  const auto by_object = lists_.find(object);
  if (by_object == lists_.end()) {
    return false;
  }
  const auto by_code = by_object->second.find(static_cast<std::int32_t>(code));
  if (by_code == by_object->second.end()) {
    return false;
  }
  // The copy keeps this call stable while callbacks change the registry.
  const std::vector<entry> callbacks = by_code->second;
  const event_info info{object, code, value};
  const object_watch fired_on(object);
  for (const entry& connected : callbacks) {
    if (!fired_on.alive()) {
      break;
    }
    connected.callback(info);
  }
  return true;
}

bool event_registry::has_handler(const event_object* object, event_type code) const {
  const auto by_object = lists_.find(object);
  return by_object != lists_.end() && by_object->second.contains(static_cast<std::int32_t>(code));
}

void event_registry::disconnect_all(const event_object* object, event_type code) {
  const auto by_object = lists_.find(object);
  if (by_object == lists_.end()) {
    return;
  }
  by_object->second.erase(static_cast<std::int32_t>(code));
  if (by_object->second.empty()) {
    lists_.erase(by_object);
  }
}

bool event_registry::disconnect(const connection& link) {
  const auto by_object = lists_.find(link.object);
  if (link.id == 0 || by_object == lists_.end()) {
    return false;
  }
  const auto by_code = by_object->second.find(static_cast<std::int32_t>(link.code));
  if (by_code == by_object->second.end()) {
    return false;
  }
  const std::size_t removed =
      std::erase_if(by_code->second, [&link](const entry& connected) { return connected.id == link.id; });
  if (by_code->second.empty()) {
    by_object->second.erase(by_code);
    if (by_object->second.empty()) {
      lists_.erase(by_object);
    }
  }
  return removed != 0;
}

void event_registry::add_watch(object_watch* watch) { watches_.push_back(watch); }

void event_registry::remove_watch(object_watch* watch) noexcept {
  // Watches mostly live on the stack, so the one going away is near the end.
  for (auto it = watches_.rbegin(); it != watches_.rend(); ++it) {
    if (*it == watch) {
      watches_.erase(std::next(it).base());
      return;
    }
  }
}

void event_registry::disconnect_object(const event_object* object) {
  lists_.erase(object);
  // Every watch of the object is emptied before any callback runs, so a
  // callback never finds another watch still pointing at the dying object.
  std::vector<object_watch*> to_notify;
  for (object_watch* watch : watches_) {
    if (watch->object_ == object) {
      watch->object_ = nullptr;
      if (watch->on_gone_) {
        to_notify.push_back(watch);
      }
    }
  }
  for (object_watch* watch : to_notify) {
    // A callback may have destroyed a later watch; only those still
    // registered are called.
    if (std::find(watches_.begin(), watches_.end(), watch) != watches_.end()) {
      watch->on_gone_();
    }
  }
}

}  // namespace hbsdk::ui
