#pragma once
// The one translation of SDL's events into the window messages the toolkit
// handles on every platform (window_message.h), with the codes and
// parameters Windows gives them:
//
//   SDL event                        messages
//   KEYDOWN                          WM_KEYDOWN (virtual key; lparam repeat count 1,
//                                    bit 30 on a repeat), then WM_CHAR for the keys
//                                    TranslateMessage makes one of: Tab 9, Return 13,
//                                    Backspace 8, Escape 27 without Control or Alt;
//                                    Control+A..Z 1..26, Control+Return 10,
//                                    Control+Backspace 127
//   KEYUP                            WM_KEYUP (lparam bits 30 and 31 set)
//     ... with Alt and no Control,   WM_SYSKEYDOWN / WM_SYSKEYUP, no character
//     or the Alt key itself, or F10
//   TEXTEDITING, TEXTEDITING_EXT     with an input method attached, no composition going
//                                    on and some text: WM_IME_STARTCOMPOSITION, then
//                                    WM_IME_COMPOSITION (GCS_COMPSTR | GCS_CURSORPOS);
//                                    during a composition: that WM_IME_COMPOSITION, and
//                                    for an empty text (the composition was cancelled)
//                                    WM_IME_ENDCOMPOSITION after it, with an empty result
//   TEXTINPUT                        during a composition: WM_IME_COMPOSITION
//                                    (GCS_RESULTSTR), then WM_IME_ENDCOMPOSITION, the
//                                    text being the result; otherwise one WM_CHAR per
//                                    UTF-16 unit (WM_SYSCHAR with Alt)
//   MOUSEMOTION                      WM_SETCURSOR, then WM_MOUSEMOVE
//   MOUSEBUTTONDOWN left/middle/right WM_xBUTTONDOWN; WM_xBUTTONDBLCLK on every
//                                    second click SDL counts (2, 4, ...)
//   MOUSEBUTTONUP                    WM_xBUTTONUP
//   MOUSEWHEEL                       WM_MOUSEWHEEL, 120 per notch up (away from
//                                    the user), -120 down; lparam in screen pixels
//   WINDOWEVENT SIZE_CHANGED         WM_SIZE (pixels), and the window is repainted
//               EXPOSED              the window is repainted
//               FOCUS_GAINED / LOST  WM_SETFOCUS / WM_KILLFOCUS
//               LEAVE                WM_MOUSELEAVE
//               CLOSE                WM_CLOSE
//   anything else                    nothing
//
// Mouse messages carry the client position in lparam and the MK_ flags in
// wparam. Input (keys, text, compositions, the mouse, crossing and the close
// box) is marked so that the platform can drop it for a disabled window.
//
// The input method answers the composition messages from the window's
// composition state (sdl_composition.h): a translation that changes it says
// what it becomes, and the platform stores that before the messages are
// delivered. SDL's editing cursor counts characters (-1: unknown, taken as
// the end); the composition's cursor counts UTF-16 units.

#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/sdl/sdl_composition.h"
#include "hbsdk/ui/window_message.h"

#include <SDL.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace hbsdk::ui {

// What the translation needs besides the event.
struct translation_state {
  SDL_Keymod modifiers = KMOD_NONE;  // held now (for text input and mouse messages)
  std::uint32_t mouse_buttons = 0;   // SDL_BUTTON masks held now
  point client_origin;               // the event's window's client area on the screen
  bool ime_attached = false;         // the window has its input method attached
  bool composing = false;            // a composition of the window is going on
};

struct translated_event {
  // SDL's event text holds at most 31 bytes of UTF-8, so 31 UTF-16 units.
  static constexpr std::size_t capacity = 32;

  std::uint32_t window_id = 0;
  std::array<window_message, capacity> messages{};
  std::size_t count = 0;
  bool input = false;           // dropped while the window is disabled
  bool repaint_window = false;  // the whole client area waits to be painted
  std::int32_t pressed_key = 0;  // the virtual key of a key that went down
  std::optional<composition_text> composition;  // the window's composition, when the event changed it

  void add(std::uint32_t code, std::uint64_t wparam, std::int64_t lparam) {
    if (count < capacity) {
      messages[count++] = {code, wparam, lparam};
    }
  }
};

// The SDL window id an event belongs to; 0 for events of no window.
std::uint32_t event_window_id(const SDL_Event& event);

translated_event translate_event(const SDL_Event& event, const translation_state& state);

}  // namespace hbsdk::ui
