#include "hbsdk/ui/sdl/sdl_event_translation.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/input_method.h"
#include "hbsdk/ui/sdl/sdl_virtual_keys.h"
#include "hbsdk/ui/virtual_key.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace hbsdk::ui {
namespace {

constexpr std::int32_t f10 = 0x79;
constexpr std::int64_t repeated_bit = std::int64_t{1} << 30;
constexpr std::int64_t released_bit = std::int64_t{1} << 31;
constexpr std::int32_t wheel_notch = 120;
constexpr std::int64_t client_hit = 1;  // HTCLIENT

// MK_ flags of mouse messages.
constexpr std::uint64_t mk_left = 0x01;
constexpr std::uint64_t mk_right = 0x02;
constexpr std::uint64_t mk_shift = 0x04;
constexpr std::uint64_t mk_control = 0x08;
constexpr std::uint64_t mk_middle = 0x10;

std::uint64_t mouse_flags(std::uint32_t buttons, SDL_Keymod modifiers) {
  std::uint64_t flags = 0;
  if ((buttons & SDL_BUTTON_LMASK) != 0) flags |= mk_left;
  if ((buttons & SDL_BUTTON_RMASK) != 0) flags |= mk_right;
  if ((buttons & SDL_BUTTON_MMASK) != 0) flags |= mk_middle;
  if ((modifiers & KMOD_SHIFT) != 0) flags |= mk_shift;
  if ((modifiers & KMOD_CTRL) != 0) flags |= mk_control;
  return flags;
}

bool is_system_key(std::int32_t key, SDL_Keymod modifiers) {
  const bool alt = (modifiers & KMOD_ALT) != 0;
  const bool control = (modifiers & KMOD_CTRL) != 0;
  return !control && (alt || key == virtual_key::alt || key == f10);
}

// The character TranslateMessage makes of a key SDL sends no text for; 0 for none.
std::uint64_t key_character(std::int32_t key, SDL_Keymod modifiers) {
  if ((modifiers & KMOD_ALT) != 0) {
    return 0;
  }
  if ((modifiers & KMOD_CTRL) != 0) {
    if (key >= 'A' && key <= 'Z') {
      return static_cast<std::uint64_t>(key - 'A' + 1);
    }
    return key == virtual_key::enter ? 10 : key == virtual_key::back ? 127 : 0;
  }
  switch (key) {
    case virtual_key::tab:
    case virtual_key::enter:
    case virtual_key::back:
    case virtual_key::escape:
      return static_cast<std::uint64_t>(key);
    default:
      return 0;
  }
}

void translate_key(const SDL_KeyboardEvent& key, translated_event& out) {
  const std::int32_t code = virtual_key_for(key.keysym.sym);
  if (code == 0) {
    return;
  }
  const auto modifiers = static_cast<SDL_Keymod>(key.keysym.mod);
  const bool system = is_system_key(code, modifiers);
  const auto wparam = static_cast<std::uint64_t>(code);
  if (key.type == SDL_KEYUP) {
    out.add(system ? message::sys_key_up : message::key_up, wparam, 1 | repeated_bit | released_bit);
    return;
  }
  out.pressed_key = code;
  out.add(system ? message::sys_key_down : message::key_down, wparam, 1 | (key.repeat != 0 ? repeated_bit : 0));
  if (!system) {
    const std::uint64_t character = key_character(code, modifiers);
    if (character != 0) {
      out.add(message::character, character, 1);
    }
  }
}

// The UTF-16 position of a cursor SDL counts in characters; a cursor that
// is unknown (negative) or past the end is at the end.
std::int32_t utf16_cursor(std::u16string_view text, std::int32_t characters) {
  std::size_t unit = 0;
  for (std::int32_t passed = 0; unit < text.size() && (characters < 0 || passed < characters); ++passed) {
    const bool pair = text[unit] >= 0xD800 && text[unit] <= 0xDBFF && unit + 1 < text.size() &&
                      text[unit + 1] >= 0xDC00 && text[unit + 1] <= 0xDFFF;
    unit += pair ? 2 : 1;
  }
  return static_cast<std::int32_t>(unit);
}

constexpr std::int64_t edited_flags = composition::comp_string | composition::cursor_position;

void translate_editing(std::string_view utf8, std::int32_t start, const translation_state& state,
                       translated_event& out) {
  out.input = true;
  if (!state.composing && (!state.ime_attached || utf8.empty())) {
    return;
  }
  composition_text after;
  after.edited = filesystem::to_wide_replacing(utf8);
  after.cursor = utf16_cursor(after.edited, start);
  after.composing = !after.edited.empty();
  if (!state.composing) {
    out.add(message::ime_start_composition, 0, 0);
  }
  out.add(message::ime_composition, 0, edited_flags);
  if (!after.composing) {
    out.add(message::ime_end_composition, 0, 0);
  }
  out.composition = std::move(after);
}

void translate_text(const SDL_TextInputEvent& text, const translation_state& state, translated_event& out) {
  const std::string_view utf8(text.text, strnlen(text.text, sizeof text.text));
  if (state.composing) {
    composition_text after;
    after.result = filesystem::to_wide_replacing(utf8);
    out.add(message::ime_composition, 0, composition::result_string);
    out.add(message::ime_end_composition, 0, 0);
    out.composition = std::move(after);
    return;
  }
  const bool system = (state.modifiers & KMOD_ALT) != 0 && (state.modifiers & KMOD_CTRL) == 0;
  for (const char16_t unit : filesystem::to_wide_replacing(utf8)) {
    out.add(system ? message::sys_character : message::character, unit, 1);
  }
}

void translate_button(const SDL_MouseButtonEvent& button, const translation_state& state, translated_event& out) {
  std::uint32_t down_code = 0;
  std::uint32_t double_code = 0;
  std::uint32_t up_code = 0;
  switch (button.button) {
    case SDL_BUTTON_LEFT:
      down_code = message::left_button_down;
      double_code = message::left_button_double_click;
      up_code = message::left_button_up;
      break;
    case SDL_BUTTON_MIDDLE:
      down_code = message::middle_button_down;
      double_code = message::middle_button_double_click;
      up_code = message::middle_button_up;
      break;
    case SDL_BUTTON_RIGHT:
      down_code = message::right_button_down;
      double_code = message::right_button_double_click;
      up_code = message::right_button_up;
      break;
    default:
      return;
  }
  // The state after this event: the button held after a press, not after a release.
  std::uint32_t buttons = state.mouse_buttons;
  const std::uint32_t mask = 1u << (button.button - 1u);  // SDL_BUTTON(button)
  if (button.type == SDL_MOUSEBUTTONDOWN) {
    buttons |= mask;
  } else {
    buttons &= ~mask;
  }
  const std::uint64_t flags = mouse_flags(buttons, state.modifiers);
  const std::int64_t where = make_lparam(button.x, button.y);
  if (button.type == SDL_MOUSEBUTTONUP) {
    out.add(up_code, flags, where);
  } else if (button.clicks >= 2 && button.clicks % 2 == 0) {
    out.add(double_code, flags, where);
  } else {
    out.add(down_code, flags, where);
  }
}

void translate_wheel(const SDL_MouseWheelEvent& wheel, const translation_state& state, translated_event& out) {
  float notches = wheel.preciseY;
  if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
    notches = -notches;
  }
  const long delta = std::clamp(std::lround(static_cast<double>(notches) * wheel_notch), -32768L, 32767L);
  if (delta == 0) {
    return;
  }
  const std::uint64_t wparam = make_wheel_wparam(static_cast<std::int32_t>(delta)) |
                               mouse_flags(state.mouse_buttons, state.modifiers);
  out.add(message::mouse_wheel, wparam,
          make_lparam(state.client_origin.x + wheel.mouseX, state.client_origin.y + wheel.mouseY));
}

void translate_window(const SDL_WindowEvent& window, translated_event& out) {
  switch (window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      out.add(message::size, 0, make_lparam(window.data1, window.data2));
      out.repaint_window = true;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      out.repaint_window = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.add(message::set_focus, 0, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.add(message::kill_focus, 0, 0);
      break;
    case SDL_WINDOWEVENT_ENTER:
      out.input = true;
      break;
    case SDL_WINDOWEVENT_LEAVE:
      out.add(message::mouse_leave, 0, 0);
      out.input = true;
      break;
    case SDL_WINDOWEVENT_CLOSE:
      out.add(message::close, 0, 0);
      out.input = true;
      break;
    default:
      break;
  }
}

}  // namespace

std::uint32_t event_window_id(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_TEXTINPUT:
      return event.text.windowID;
    case SDL_TEXTEDITING:
      return event.edit.windowID;
    case SDL_TEXTEDITING_EXT:
      return event.editExt.windowID;
    case SDL_MOUSEMOTION:
      return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    case SDL_MOUSEWHEEL:
      return event.wheel.windowID;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
      return event.drop.windowID;
    default:
      return 0;
  }
}

translated_event translate_event(const SDL_Event& event, const translation_state& state) {
  translated_event out;
  out.window_id = event_window_id(event);
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      out.input = true;
      translate_key(event.key, out);
      break;
    case SDL_TEXTINPUT:
      out.input = true;
      translate_text(event.text, state, out);
      break;
    case SDL_TEXTEDITING:
      translate_editing({event.edit.text, strnlen(event.edit.text, sizeof event.edit.text)}, event.edit.start, state,
                        out);
      break;
    case SDL_TEXTEDITING_EXT:
      translate_editing(event.editExt.text != nullptr ? std::string_view(event.editExt.text) : std::string_view(),
                        event.editExt.start, state, out);
      break;
    case SDL_MOUSEMOTION:
      out.input = true;
      out.add(message::set_cursor, 0, client_hit | (std::int64_t{message::mouse_move} << 16));
      out.add(message::mouse_move, mouse_flags(event.motion.state, state.modifiers),
              make_lparam(event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      out.input = true;
      translate_button(event.button, state, out);
      break;
    case SDL_MOUSEWHEEL:
      out.input = true;
      translate_wheel(event.wheel, state, out);
      break;
    case SDL_WINDOWEVENT:
      translate_window(event.window, out);
      break;
    default:
      break;
  }
  return out;
}

}  // namespace hbsdk::ui
