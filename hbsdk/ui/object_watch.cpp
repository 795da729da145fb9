#include "hbsdk/ui/object_watch.h"

#include "hbsdk/ui/event_registry.h"

#include <utility>

namespace hbsdk::ui {

object_watch::object_watch(const event_object* object, std::function<void()> on_gone)
    : object_(object), on_gone_(std::move(on_gone)) {
  event_registry::instance().add_watch(this);
}

object_watch::~object_watch() { event_registry::instance().remove_watch(this); }

void object_watch::reset(const event_object* object) noexcept { object_ = object; }

}  // namespace hbsdk::ui
