#pragma once
// The window procedure of every toolkit window, on every platform: turns one
// message (window_message.h) into calls of the window's dispatch, its paint,
// its timers and its modal loop. A backend hands every message of a native
// window here and does its platform's default processing for the messages
// this does not handle.

#include "hbsdk/ui/window_message.h"

#include <cstdint>
#include <optional>

namespace hbsdk::ui {

class native_window;

// The message's result when it was handled; nothing when the platform's
// default processing should run. Messages that arrive before the native
// window belongs to a toolkit window are not handled.
//
//   WM_SIZE          the renderer's resize (pixels), then resized with the
//                    size in dips (width low, height high)
//   WM_SETFOCUS      focus_gained, value 0
//   WM_KILLFOCUS     focus_lost, value 0
//   WM_PAINT         paint_tree of the root over the update rectangle, then
//                    that rectangle is validated
//   WM_CLOSE         end_modal; returns 1 (the window stays)
//   WM_COMMAND       ignored
//   WM_SETCURSOR     default processing until the pointer is tracked; then
//                    0, so the cursor last set stays
//   WM_KEYDOWN/UP    key_down / key_up with the virtual key
//   WM_CHAR          key_char with the UTF-16 unit
//   WM_TIMER         the timer's event (the tooltip tick for id 0xFFFFFFFF)
//   WM_MOUSEMOVE     mouse_move once tracked; the first move after the
//                    pointer entered only starts tracking (returns 1)
//   WM_MOUSELEAVE    tracking ends; mouse_leave
//   WM_xBUTTONDOWN   mouse_down, value 0 left, 1 middle, 2 right
//   WM_xBUTTONUP     mouse_up
//   WM_xBUTTONDBLCLK mouse_double_click when the enabled widget under the
//                    pointer has a list for it, otherwise mouse_down
//   WM_MOUSEWHEEL    mouse_wheel with the delta x 0.5 as a double
//   accessible_action  the default actions a screen reader asked for
//   WM_INPUTLANGCHANGE, WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION (flags in
//                    lparam), WM_IME_ENDCOMPOSITION: the text-input context
std::optional<std::int64_t> handle_message(native_window& target, const window_message& message);

}  // namespace hbsdk::ui
