#include "hbsdk/ui/testing/event_recorder.h"

#include "hbsdk/ui/event_registry.h"

namespace hbsdk::ui::test_support {
namespace {

struct code_name {
  event_type code;
  const char* name;
};

constexpr code_name code_names[] = {
    {event_type::mouse_up, "mouse_up"},
    {event_type::mouse_down, "mouse_down"},
    {event_type::mouse_double_click, "mouse_double_click"},
    {event_type::mouse_wheel, "mouse_wheel"},
    {event_type::mouse_enter, "mouse_enter"},
    {event_type::mouse_leave, "mouse_leave"},
    {event_type::mouse_move, "mouse_move"},
    {event_type::key_down, "key_down"},
    {event_type::key_up, "key_up"},
    {event_type::key_char, "key_char"},
    {event_type::paint, "paint"},
    {event_type::resized, "resized"},
    {event_type::moved, "moved"},
    {event_type::timer, "timer"},
    {event_type::created, "created"},
    {event_type::parent_resized, "parent_resized"},
    {event_type::parent_moved, "parent_moved"},
    {event_type::child_added, "child_added"},
    {event_type::child_removed, "child_removed"},
    {event_type::focus_gained, "focus_gained"},
    {event_type::focus_lost, "focus_lost"},
    {event_type::shown, "shown"},
    {event_type::hidden, "hidden"},
    {event_type::toggled, "toggled"},
    {event_type::clicked, "clicked"},
    {event_type::files_dropped, "files_dropped"},
    {event_type::text_composition, "text_composition"},
    {event_type::style_changed, "style_changed"},
};

}  // namespace

std::string event_name(event_type code) {
  for (const code_name& entry : code_names) {
    if (entry.code == code) {
      return entry.name;
    }
  }
  return "code " + std::to_string(static_cast<std::int32_t>(code));
}

std::ostream& operator<<(std::ostream& out, const recorded_event& event) {
  return out << event.label << ':' << event_name(event.type) << '=' << event.value;
}

void event_recorder::watch(const event_object* object, const std::string& label,
                           std::initializer_list<event_type> codes) {
  for (const event_type code : codes) {
    connect(object, code, [this, label](const event_info& info) {
      events_.push_back({label, info.type, info.value});
    });
  }
}

void event_recorder::watch_all(const event_object* object, const std::string& label) {
  for (const code_name& entry : code_names) {
    watch(object, label, {entry.code});
  }
}

std::vector<std::string> event_recorder::names() const {
  std::vector<std::string> result;
  result.reserve(events_.size());
  for (const recorded_event& event : events_) {
    result.push_back(event.label + ":" + event_name(event.type));
  }
  return result;
}

}  // namespace hbsdk::ui::test_support
