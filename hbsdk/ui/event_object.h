#pragma once
// Base of every object that receives events (widgets and windows). It holds
// no data: its address is its identity in the event registry, and its
// destructor drops every callback list registered for it.

#include "hbsdk/ui/non_copyable_non_moveable.h"

namespace hbsdk::ui {

class event_object : non_copyable_non_moveable {
public:
  event_object();
  virtual ~event_object();
};

}  // namespace hbsdk::ui
