#pragma once
// The input-method state of one SDL window, between SDL's text events and
// the window's input method (sdl_input_method). The platform keeps it up to
// date as it translates the window's events (sdl_event_translation.h); the
// input method answers the window's text-input context from it. The window
// backend owns it, so it outlives the input method.

#include <cstdint>
#include <string>

namespace hbsdk::ui {

// A composition as the input method shows it after one event.
struct composition_text {
  bool composing = false;   // a composition is going on
  std::u16string edited;    // the text being composed (GCS_COMPSTR)
  std::int32_t cursor = 0;  // the cursor in edited, in UTF-16 units (GCS_CURSORPOS)
  std::u16string result;    // the text the last composition ended with (GCS_RESULTSTR)
};

struct sdl_composition {
  bool attached = false;  // an input method is attached: new compositions are reported
  composition_text text;
  std::int32_t last_key = 0;  // virtual key of the last key pressed in the window
};

}  // namespace hbsdk::ui
