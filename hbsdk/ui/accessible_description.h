#pragma once
// What a widget tells a screen reader about itself: its role, its name (the
// text it shows), a value (a progress bar's percentage), its state and where
// it is. The window collects these from its widgets; each platform's
// backend hands them to the system's accessibility interface. Portable:
// no platform type appears here.

#include "hbsdk/ui/geometry.h"

#include <cstdint>
#include <string>

namespace hbsdk::ui {

// The kinds of objects a screen reader is told about. none: the widget is
// not announced itself (panels, the root); its described children are.
enum class accessible_role : std::uint8_t { none, dialog, static_text, push_button, progress_bar };

// State flags of a description.
namespace accessible_state {
inline constexpr std::uint32_t unavailable = 1u << 0;  // disabled
inline constexpr std::uint32_t focused = 1u << 1;
inline constexpr std::uint32_t focusable = 1u << 2;
inline constexpr std::uint32_t default_button = 1u << 3;  // what Enter presses when nothing else takes it
}  // namespace accessible_state

// What changed, as a window reports it to its backend.
enum class accessible_change : std::uint8_t {
  focus,      // the focus moved to the object
  name,       // its text changed
  state,      // it was enabled or disabled
  value,      // its value changed (a progress bar)
  structure,  // the window's set of objects changed (a page was shown)
};

struct accessible_description {
  accessible_role role = accessible_role::none;
  std::string name;
  std::string value;
  std::uint32_t state = 0;
  // In the window's client area, in dips.
  rect bounds;
  // What the default action is called ("Press"); empty when there is none.
  std::string default_action;

  bool has(std::uint32_t flag) const noexcept { return (state & flag) != 0; }
};

}  // namespace hbsdk::ui
