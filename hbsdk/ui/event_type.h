#pragma once
// The event codes fired through the event registry. The comment after each
// code says what its 64-bit value carries. Codes 15, 17 and 28 are not used.

#include <cstdint>

namespace hbsdk::ui {

enum class event_type : std::int32_t {
  mouse_up = 1,            // button: 0 left, 1 middle, 2 right
  mouse_down = 2,          // button
  mouse_double_click = 3,  // button
  mouse_wheel = 4,         // bits of a double: wheel delta x 0.5
  mouse_enter = 5,         // 0
  mouse_leave = 6,         // 0
  mouse_move = 7,          // 0
  key_down = 8,            // virtual-key code
  key_up = 9,              // virtual-key code
  key_char = 10,           // UTF-16 code unit
  paint = 11,              // 0
  resized = 12,            // old size: width low, height high
  moved = 13,              // old position: x low, y high
  timer = 14,              // the timer's user key
  created = 16,            // 0
  parent_resized = 18,     // the parent's old size
  parent_moved = 19,       // the parent's old position
  child_added = 20,        // pointer to the child
  child_removed = 21,      // pointer to the child
  focus_gained = 22,       // focus_reason
  focus_lost = 23,         // focus_reason
  shown = 24,              // 0
  hidden = 25,             // 0
  toggled = 26,            // 0
  clicked = 27,            // the button's toggle state
  files_dropped = 29,      // pointer to the dropped paths, valid during the call
  text_composition = 30,   // 0 started, 1 updated, 2 result ready
  style_changed = 31,      // pointer to the zero-terminated key text
};

// Why a widget gained or lost the focus (the value of focus_gained and focus_lost).
enum class focus_reason : std::uint32_t {
  mouse = 0,          // a mouse press; also every focus change of the native window
  keyboard = 1,       // Tab or Shift+Tab
  popup_default = 2,  // a pop-up giving the focus to its default button
};

}  // namespace hbsdk::ui
