#pragma once
// Records events fired on watched objects, in the order they arrive, so a
// test can compare the whole sequence at once. Each watched pair is given a
// short label ("a", "root", "window") that the record carries. Declare the
// recorder before the objects it watches, so it outlives their last events.

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_object.h"
#include "hbsdk/ui/event_type.h"

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace hbsdk::ui::test_support {

struct recorded_event {
  std::string label;
  event_type type = event_type::mouse_up;
  std::uint64_t value = 0;

  friend bool operator==(const recorded_event&, const recorded_event&) = default;
};

std::ostream& operator<<(std::ostream& out, const recorded_event& event);

class event_recorder {
public:
  // Connects a recording callback to each code on the object.
  void watch(const event_object* object, const std::string& label, std::initializer_list<event_type> codes);
  // Every code from mouse_up to style_changed.
  void watch_all(const event_object* object, const std::string& label);

  const std::vector<recorded_event>& events() const noexcept { return events_; }
  // The events as "label:code" texts, the form most tests compare.
  std::vector<std::string> names() const;
  void clear() { events_.clear(); }

private:
  std::vector<recorded_event> events_;
};

// The name of an event code ("mouse_up"); "code N" for unknown codes.
std::string event_name(event_type code);

}  // namespace hbsdk::ui::test_support
