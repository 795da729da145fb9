#pragma once
// The input-method state of one window, kept for the widget with the focus:
// the composition string, a cursor in it and a few flags. The window's
// input-method messages reach it; it tells the focused widget about changes
// with text_composition events (0 started or restarted, 1 updated, 2 a
// result is ready in text). A text-entry widget reads text and cursor, and
// sets candidate_area so the candidate list appears next to its text.
//
// The context is created detached from the platform's input method, so no
// composition messages arrive until attach(true).

#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/input_method.h"

#include <cstdint>
#include <memory>
#include <string>

namespace hbsdk::ui {

class native_window;

class text_input_context {
public:
  // Takes the window's input method (none: the platform has none) and
  // detaches it from the window.
  text_input_context(native_window& target, std::unique_ptr<input_method> method);

  // Attaches the input method to the window, or detaches it again.
  void attach(bool on);

  // The messages of the window.
  void input_language_changed();
  void start_composition();
  void composition(std::uint64_t flags);
  void end_composition();
  // A key went down while composing (the modal loop reports it).
  void key_pressed();

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
  void read_composition(std::uint32_t kind);
  void apply_cursor_rule(std::uint32_t kind);
  void place_candidate_window();
  bool korean() const noexcept { return (language & 0x3FF) == composition::korean; }
  void notify(std::uint64_t value);

  native_window& target_;
  std::unique_ptr<input_method> method_;
};

}  // namespace hbsdk::ui
