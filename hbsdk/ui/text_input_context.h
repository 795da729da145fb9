#pragma once
// The input-method state of one window, kept for the widget with the focus:
// the composition string, a cursor in it and a few flags. The window's
// messages about compositions reach it; it tells the focused widget about
// changes with text_composition events.

#include "hbsdk/ui/geometry.h"

#include <cstdint>
#include <string>

namespace hbsdk::ui {

class native_window;

class text_input_context {
public:
  explicit text_input_context(native_window& target);

  std::u16string text;
  bool composing = false;
  bool target_converted = false;
  std::uint16_t language = 0;
  bool is_ime = false;
  rect candidate_area;  // client pixels of the window
  std::uint64_t last_key = 0;
  std::uint8_t last_key_character = 0;
  std::int32_t cursor = 0;

  native_window& target() const noexcept { return target_; }

private:
  native_window& target_;
};

}  // namespace hbsdk::ui
