// SDL events become the messages Windows would send for the same input.
#include "hbsdk/ui/sdl/sdl_event_translation.h"

#include "hbsdk/ui/sdl/sdl_virtual_keys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace ui = hbsdk::ui;
namespace message = hbsdk::ui::message;

namespace {

constexpr std::uint32_t window_id = 7;
constexpr std::int64_t key_up_bits = 1 | (std::int64_t{1} << 30) | (std::int64_t{1} << 31);

struct sent {
  std::uint32_t code;
  std::uint64_t wparam;
  std::int64_t lparam;
  friend bool operator==(const sent&, const sent&) = default;
};

std::ostream& operator<<(std::ostream& out, const sent& m) {
  return out << "{0x" << std::hex << m.code << std::dec << ", " << m.wparam << ", " << m.lparam << "}";
}

std::vector<sent> messages_of(const ui::translated_event& t) {
  std::vector<sent> out;
  for (std::size_t i = 0; i < t.count; ++i) out.push_back({t.messages[i].code, t.messages[i].wparam, t.messages[i].lparam});
  return out;
}

ui::translated_event translate(const SDL_Event& event, ui::translation_state state = {}) {
  return ui::translate_event(event, state);
}

SDL_Event key(Uint32 type, SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.windowID = window_id;
  e.key.repeat = repeat;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event text(const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = window_id;
  std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
  return e;
}

SDL_Event editing(const char* utf8, Sint32 start) {
  SDL_Event e{};
  e.type = SDL_TEXTEDITING;
  e.edit.windowID = window_id;
  std::strncpy(e.edit.text, utf8, sizeof e.edit.text - 1);
  e.edit.start = start;
  e.edit.length = -1;
  return e;
}

ui::translation_state ime(bool attached, bool composing) {
  ui::translation_state state;
  state.ime_attached = attached;
  state.composing = composing;
  return state;
}

SDL_Event button(Uint32 type, Uint8 which, Uint8 clicks, int x = 5, int y = 6) {
  SDL_Event e{};
  e.type = type;
  e.button.windowID = window_id;
  e.button.button = which;
  e.button.clicks = clicks;
  e.button.x = x;
  e.button.y = y;
  return e;
}

SDL_Event window_event(SDL_WindowEventID what, int data1 = 0, int data2 = 0) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window_id;
  e.window.event = static_cast<Uint8>(what);
  e.window.data1 = data1;
  e.window.data2 = data2;
  return e;
}

TEST(sdl_event_translation, keys_become_virtual_keys_and_the_characters_translate_message_adds) {
  struct key_case {
    const char* label;
    SDL_Event event;
    std::vector<sent> expected;
  };
  const key_case cases[] = {
      {"a", key(SDL_KEYDOWN, SDLK_a), {{message::key_down, 'A', 1}}},
      {"a up", key(SDL_KEYUP, SDLK_a), {{message::key_up, 'A', key_up_bits}}},
      {"a repeated", key(SDL_KEYDOWN, SDLK_a, KMOD_NONE, 1), {{message::key_down, 'A', 1 | (1 << 30)}}},
      {"7", key(SDL_KEYDOWN, SDLK_7), {{message::key_down, '7', 1}}},
      {"F5", key(SDL_KEYDOWN, SDLK_F5), {{message::key_down, 0x74, 1}}},
      {"F13", key(SDL_KEYDOWN, SDLK_F13), {{message::key_down, 0x7C, 1}}},
      {"left", key(SDL_KEYDOWN, SDLK_LEFT), {{message::key_down, 0x25, 1}}},
      {"delete", key(SDL_KEYDOWN, SDLK_DELETE), {{message::key_down, 0x2E, 1}}},
      {"keypad 0", key(SDL_KEYDOWN, SDLK_KP_0), {{message::key_down, 0x60, 1}}},
      {"right shift", key(SDL_KEYDOWN, SDLK_RSHIFT, KMOD_RSHIFT), {{message::key_down, 0x10, 1}}},
      {"left control", key(SDL_KEYDOWN, SDLK_LCTRL, KMOD_LCTRL), {{message::key_down, 0x11, 1}}},
      {"return", key(SDL_KEYDOWN, SDLK_RETURN), {{message::key_down, 0x0D, 1}, {message::character, 13, 1}}},
      {"keypad enter", key(SDL_KEYDOWN, SDLK_KP_ENTER), {{message::key_down, 0x0D, 1}, {message::character, 13, 1}}},
      {"tab", key(SDL_KEYDOWN, SDLK_TAB), {{message::key_down, 0x09, 1}, {message::character, 9, 1}}},
      {"shift tab", key(SDL_KEYDOWN, SDLK_TAB, KMOD_LSHIFT), {{message::key_down, 0x09, 1}, {message::character, 9, 1}}},
      {"backspace", key(SDL_KEYDOWN, SDLK_BACKSPACE), {{message::key_down, 0x08, 1}, {message::character, 8, 1}}},
      {"escape", key(SDL_KEYDOWN, SDLK_ESCAPE), {{message::key_down, 0x1B, 1}, {message::character, 27, 1}}},
      {"escape repeated", key(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE, 1),
       {{message::key_down, 0x1B, 1 | (1 << 30)}, {message::character, 27, 1}}},
      {"control a", key(SDL_KEYDOWN, SDLK_a, KMOD_LCTRL), {{message::key_down, 'A', 1}, {message::character, 1, 1}}},
      {"control return", key(SDL_KEYDOWN, SDLK_RETURN, KMOD_RCTRL),
       {{message::key_down, 0x0D, 1}, {message::character, 10, 1}}},
      {"control tab", key(SDL_KEYDOWN, SDLK_TAB, KMOD_LCTRL), {{message::key_down, 0x09, 1}}},
      {"alt", key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT), {{message::sys_key_down, 0x12, 1}}},
      {"alt up", key(SDL_KEYUP, SDLK_LALT), {{message::sys_key_up, 0x12, key_up_bits}}},
      {"alt b", key(SDL_KEYDOWN, SDLK_b, KMOD_LALT), {{message::sys_key_down, 'B', 1}}},
      {"alt return", key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT), {{message::sys_key_down, 0x0D, 1}}},
      {"F10", key(SDL_KEYDOWN, SDLK_F10), {{message::sys_key_down, 0x79, 1}}},
      {"AltGr (control and alt) e", key(SDL_KEYDOWN, SDLK_e, KMOD_LCTRL | KMOD_RALT), {{message::key_down, 'E', 1}}},
      {"a key without a virtual key", key(SDL_KEYDOWN, SDLK_AUDIOPLAY), {}},
  };
  for (const key_case& c : cases) {
    SCOPED_TRACE(c.label);
    const ui::translated_event t = translate(c.event);
    EXPECT_EQ(messages_of(t), c.expected);
    EXPECT_EQ(t.window_id, window_id);
    EXPECT_TRUE(t.input);
  }
}

TEST(sdl_event_translation, typed_text_becomes_one_character_per_utf16_unit) {
  EXPECT_EQ(messages_of(translate(text("a\xC3\xA9\xF0\x9F\x98\x80"))),  // a, e acute, U+1F600
            (std::vector<sent>{{message::character, 'a', 1},
                               {message::character, 0xE9, 1},
                               {message::character, 0xD83D, 1},
                               {message::character, 0xDE00, 1}}));
  ui::translation_state alt;
  alt.modifiers = KMOD_LALT;
  EXPECT_EQ(messages_of(translate(text("x"), alt)), (std::vector<sent>{{message::sys_character, 'x', 1}}));
  // The longest text SDL sends (31 bytes) fits.
  const std::string full(31, 'q');
  EXPECT_EQ(translate(text(full.c_str())).count, 31u);
}

TEST(sdl_event_translation, editing_text_starts_updates_and_cancels_the_composition_of_an_attached_window) {
  constexpr std::uint32_t start = message::ime_start_composition;
  constexpr std::uint32_t update = message::ime_composition;
  constexpr std::uint32_t end = message::ime_end_composition;
  constexpr std::int64_t edited = 0x8 | 0x80;  // GCS_COMPSTR | GCS_CURSORPOS
  struct editing_case {
    const char* label;
    SDL_Event event;
    ui::translation_state state;
    std::vector<sent> expected;
    std::optional<std::u16string> text;  // the edited text after it, when it changes the composition
    std::int32_t cursor = 0;
  };
  const editing_case cases[] = {
      {"first text", editing("\xE3\x81\xAB\xE3\x81\xBB", 1), ime(true, false),  // ni ho
       {{start, 0, 0}, {update, 0, edited}}, u"\u306B\u307B", 1},
      {"more text, cursor unknown", editing("ab\xF0\x9F\x98\x80", -1), ime(true, true), {{update, 0, edited}},
       u"ab\U0001F600", 4},
      {"cursor after a surrogate pair", editing("a\xF0\x9F\x98\x80z", 2), ime(true, true), {{update, 0, edited}},
       u"a\U0001F600z", 3},
      {"cursor past the end", editing("ab", 9), ime(true, true), {{update, 0, edited}}, u"ab", 2},
      {"emptied: cancelled", editing("", 0), ime(true, true), {{update, 0, edited}, {end, 0, 0}}, u"", 0},
      {"empty without a composition", editing("", 0), ime(true, false), {}, std::nullopt},
      {"no input method attached", editing("x", 1), ime(false, false), {}, std::nullopt},
      {"detached during a composition (state kept by the platform)", editing("xy", 2), ime(false, true),
       {{update, 0, edited}}, u"xy", 2},
  };
  for (const editing_case& c : cases) {
    SCOPED_TRACE(c.label);
    const ui::translated_event t = translate(c.event, c.state);
    EXPECT_EQ(messages_of(t), c.expected);
    EXPECT_TRUE(t.input);
    EXPECT_EQ(t.window_id, window_id);
    ASSERT_EQ(t.composition.has_value(), c.text.has_value());
    if (c.text) {
      EXPECT_EQ(t.composition->edited, *c.text);
      EXPECT_EQ(t.composition->cursor, c.cursor);
      EXPECT_EQ(t.composition->composing, !c.text->empty());
      EXPECT_EQ(t.composition->result, u"");
    }
  }

  // A long editing text comes whole in SDL's extended event.
  std::string long_text;
  for (int i = 0; i < 20; ++i) long_text += "\xE3\x81\x82";  // a, 60 bytes
  SDL_Event extended{};
  extended.type = SDL_TEXTEDITING_EXT;
  extended.editExt.windowID = window_id;
  extended.editExt.text = long_text.data();
  extended.editExt.start = 15;
  const ui::translated_event t = translate(extended, ime(true, false));
  EXPECT_EQ(messages_of(t), (std::vector<sent>{{start, 0, 0}, {update, 0, edited}}));
  ASSERT_TRUE(t.composition.has_value());
  EXPECT_EQ(t.composition->edited.size(), 20u);
  EXPECT_EQ(t.composition->cursor, 15);
  EXPECT_EQ(t.window_id, window_id);
}

TEST(sdl_event_translation, text_during_a_composition_is_its_result_and_ends_it) {
  const ui::translated_event t = translate(text("\xE6\x97\xA5\xE6\x9C\xAC"), ime(true, true));  // nihon
  EXPECT_EQ(messages_of(t), (std::vector<sent>{{message::ime_composition, 0, 0x800}, {message::ime_end_composition, 0, 0}}));
  ASSERT_TRUE(t.composition.has_value());
  EXPECT_FALSE(t.composition->composing);
  EXPECT_EQ(t.composition->result, u"\u65E5\u672C");
  EXPECT_EQ(t.composition->edited, u"");
  EXPECT_TRUE(t.input);
  // Without a composition, text stays characters, attached or not.
  const ui::translated_event plain = translate(text("k"), ime(true, false));
  EXPECT_EQ(messages_of(plain), (std::vector<sent>{{message::character, 'k', 1}}));
  EXPECT_FALSE(plain.composition.has_value());
}

TEST(sdl_event_translation, a_key_going_down_is_reported_with_its_virtual_key) {
  EXPECT_EQ(translate(key(SDL_KEYDOWN, SDLK_LEFT)).pressed_key, 0x25);
  EXPECT_EQ(translate(key(SDL_KEYDOWN, SDLK_b, KMOD_LALT)).pressed_key, 'B');  // a system key too
  EXPECT_EQ(translate(key(SDL_KEYUP, SDLK_LEFT)).pressed_key, 0);
  EXPECT_EQ(translate(key(SDL_KEYDOWN, SDLK_AUDIOPLAY)).pressed_key, 0);
  EXPECT_EQ(translate(text("a")).pressed_key, 0);
}

TEST(sdl_virtual_keys, the_character_of_a_virtual_key_is_what_map_virtual_key_gives) {
  const std::pair<std::int32_t, std::uint8_t> cases[] = {
      {'A', 'A'}, {'Z', 'Z'}, {'0', '0'},  {0x20, ' '}, {0x08, 8},   {0x09, 9},    {0x0D, 13},   {0x1B, 27},
      {0x60, '0'}, {0x69, '9'}, {0x6A, '*'}, {0x6F, '/'}, {0xBA, ';'}, {0xBC, ','}, {0xDE, '\''},
      {0x25, 0},   {0x23, 0},   {0x2E, 0},   {0x70, 0},   {0x10, 0},   {0xE5, 0},
  };
  for (const auto& [key, character] : cases) {
    EXPECT_EQ(ui::character_of_virtual_key(key), character) << "virtual key 0x" << std::hex << key;
  }
}

TEST(sdl_event_translation, buttons_and_double_clicks_follow_the_windows_messages) {
  struct button_case {
    const char* label;
    SDL_Event event;
    std::uint32_t expected;  // 0: no message
  };
  const button_case cases[] = {
      {"left press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1), message::left_button_down},
      {"left second press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2), message::left_button_double_click},
      {"left third press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3), message::left_button_down},
      {"left fourth press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 4), message::left_button_double_click},
      {"left release", button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2), message::left_button_up},
      {"middle press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1), message::middle_button_down},
      {"middle second press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 2), message::middle_button_double_click},
      {"middle release", button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1), message::middle_button_up},
      {"right press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1), message::right_button_down},
      {"right second press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2), message::right_button_double_click},
      {"right release", button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1), message::right_button_up},
      {"side button", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1), 0},
  };
  for (const button_case& c : cases) {
    SCOPED_TRACE(c.label);
    const ui::translated_event t = translate(c.event);
    EXPECT_TRUE(t.input);
    if (c.expected == 0) {
      EXPECT_EQ(t.count, 0u);
    } else {
      ASSERT_EQ(t.count, 1u);
      EXPECT_EQ(t.messages[0].code, c.expected);
      EXPECT_EQ(t.messages[0].lparam, ui::make_lparam(5, 6));
    }
  }
  // MK_ flags: the button held after a press (and not after its release), shift and control.
  ui::translation_state held;
  held.mouse_buttons = SDL_BUTTON_LMASK;
  held.modifiers = static_cast<SDL_Keymod>(KMOD_LSHIFT | KMOD_RCTRL);
  EXPECT_EQ(translate(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1), held).messages[0].wparam, 0x01u | 0x02u | 0x04u | 0x08u);
  EXPECT_EQ(translate(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1), held).messages[0].wparam, 0x04u | 0x08u);
}

TEST(sdl_event_translation, motion_asks_for_the_cursor_first_and_carries_the_client_position) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window_id;
  e.motion.x = 300;
  e.motion.y = -4;  // outside, while the mouse is captured
  e.motion.state = SDL_BUTTON_MMASK;
  const ui::translated_event t = translate(e);
  EXPECT_EQ(messages_of(t), (std::vector<sent>{{message::set_cursor, 0, 1 | (0x200 << 16)},
                                               {message::mouse_move, 0x10, ui::make_lparam(300, -4)}}));
  EXPECT_TRUE(t.input);
}

TEST(sdl_event_translation, a_wheel_notch_is_120_up_and_minus_120_down) {
  const auto wheel = [](float y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = window_id;
    e.wheel.preciseY = y;
    e.wheel.y = static_cast<Sint32>(y);
    e.wheel.direction = direction;
    e.wheel.mouseX = 10;
    e.wheel.mouseY = 20;
    ui::translation_state state;
    state.client_origin = {100, 200};
    return translate(e, state);
  };
  const auto delta = [](const ui::translated_event& t) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(t.messages[0].wparam >> 16));
  };
  EXPECT_EQ(delta(wheel(1.0f)), 120);
  EXPECT_EQ(delta(wheel(-1.0f)), -120);
  EXPECT_EQ(delta(wheel(1.0f, SDL_MOUSEWHEEL_FLIPPED)), -120);
  EXPECT_EQ(delta(wheel(0.25f)), 30);
  EXPECT_EQ(delta(wheel(-3.0f)), -360);
  EXPECT_EQ(delta(wheel(1000.0f)), 32767);
  EXPECT_EQ(wheel(1.0f).messages[0].code, message::mouse_wheel);
  EXPECT_EQ(wheel(1.0f).messages[0].lparam, ui::make_lparam(110, 220));  // screen pixels
  EXPECT_EQ(wheel(0.0f).count, 0u);  // a sideways scroll
}

TEST(sdl_event_translation, window_events) {
  const ui::translated_event resized = translate(window_event(SDL_WINDOWEVENT_SIZE_CHANGED, 500, 375));
  EXPECT_EQ(messages_of(resized), (std::vector<sent>{{message::size, 0, ui::make_lparam(500, 375)}}));
  EXPECT_TRUE(resized.repaint_window);
  EXPECT_FALSE(resized.input);

  const ui::translated_event exposed = translate(window_event(SDL_WINDOWEVENT_EXPOSED));
  EXPECT_EQ(exposed.count, 0u);
  EXPECT_TRUE(exposed.repaint_window);

  EXPECT_EQ(messages_of(translate(window_event(SDL_WINDOWEVENT_FOCUS_GAINED))),
            (std::vector<sent>{{message::set_focus, 0, 0}}));
  EXPECT_EQ(messages_of(translate(window_event(SDL_WINDOWEVENT_FOCUS_LOST))),
            (std::vector<sent>{{message::kill_focus, 0, 0}}));
  EXPECT_FALSE(translate(window_event(SDL_WINDOWEVENT_FOCUS_LOST)).input);

  // Crossing and the close box are input: a disabled window does not get them.
  const ui::translated_event left = translate(window_event(SDL_WINDOWEVENT_LEAVE));
  EXPECT_EQ(messages_of(left), (std::vector<sent>{{message::mouse_leave, 0, 0}}));
  EXPECT_TRUE(left.input);
  const ui::translated_event entered = translate(window_event(SDL_WINDOWEVENT_ENTER));
  EXPECT_EQ(entered.count, 0u);
  EXPECT_TRUE(entered.input);
  const ui::translated_event closed = translate(window_event(SDL_WINDOWEVENT_CLOSE));
  EXPECT_EQ(messages_of(closed), (std::vector<sent>{{message::close, 0, 0}}));
  EXPECT_TRUE(closed.input);

  EXPECT_EQ(translate(window_event(SDL_WINDOWEVENT_MOVED, 3, 4)).count, 0u);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EQ(translate(quit).count, 0u);
  EXPECT_EQ(translate(quit).window_id, 0u);
}

}  // namespace
