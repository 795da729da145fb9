#include "hbsdk/ui/event_object.h"

#include "hbsdk/ui/event_registry.h"

namespace hbsdk::ui {

// Touching the registry here makes sure it is built before any event object
// is complete, so it is destroyed after every event object with static
// storage and their destructors never reach a destroyed registry.
event_object::event_object() { event_registry::instance(); }

event_object::~event_object() { event_registry::instance().disconnect_object(this); }

}  // namespace hbsdk::ui
