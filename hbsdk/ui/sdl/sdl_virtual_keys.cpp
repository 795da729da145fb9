#include "hbsdk/ui/sdl/sdl_virtual_keys.h"

#include "hbsdk/ui/virtual_key.h"

namespace hbsdk::ui {
namespace {

struct key_pair {
  SDL_Keycode key;
  std::int32_t virtual_key;
};

// Keys outside the letter, digit and function-key runs.
constexpr key_pair named_keys[] = {
    {SDLK_BACKSPACE, 0x08},   {SDLK_TAB, 0x09},        {SDLK_RETURN, 0x0D},      {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, 0x10},      {SDLK_RSHIFT, 0x10},     {SDLK_LCTRL, 0x11},       {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},        {SDLK_RALT, 0x12},       {SDLK_PAUSE, 0x13},       {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},      {SDLK_SPACE, 0x20},      {SDLK_PAGEUP, 0x21},      {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},         {SDLK_HOME, 0x24},       {SDLK_LEFT, 0x25},        {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},       {SDLK_DOWN, 0x28},       {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},      {SDLK_LGUI, 0x5B},       {SDLK_RGUI, 0x5C},        {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_0, 0x60},        {SDLK_KP_1, 0x61},       {SDLK_KP_2, 0x62},        {SDLK_KP_3, 0x63},
    {SDLK_KP_4, 0x64},        {SDLK_KP_5, 0x65},       {SDLK_KP_6, 0x66},        {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68},        {SDLK_KP_9, 0x69},       {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},    {SDLK_KP_PERIOD, 0x6E},  {SDLK_KP_DIVIDE, 0x6F},   {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},  {SDLK_SEMICOLON, 0xBA},  {SDLK_EQUALS, 0xBB},      {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},       {SDLK_PERIOD, 0xBE},     {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC},  {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

struct keypad_operator {
  std::int32_t virtual_key;
  char character;
};

constexpr keypad_operator keypad_operators[] = {{0x6A, '*'}, {0x6B, '+'}, {0x6D, '-'}, {0x6E, '.'}, {0x6F, '/'}};

constexpr std::int32_t left_button = 0x01;
constexpr std::int32_t right_button = 0x02;
constexpr std::int32_t middle_button = 0x04;

bool scancode_down(SDL_Scancode code) {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  return code > SDL_SCANCODE_UNKNOWN && code < count && state[code] != 0;
}

bool button_down(Uint32 mask) { return (SDL_GetMouseState(nullptr, nullptr) & mask) != 0; }

}  // namespace

std::int32_t virtual_key_for(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) {
    return 'A' + (key - SDLK_a);
  }
  if (key >= SDLK_0 && key <= SDLK_9) {
    return '0' + (key - SDLK_0);
  }
  if (key >= SDLK_F1 && key <= SDLK_F12) {
    return 0x70 + (key - SDLK_F1);
  }
  if (key >= SDLK_F13 && key <= SDLK_F24) {
    return 0x7C + (key - SDLK_F13);
  }
  for (const key_pair& pair : named_keys) {
    if (pair.key == key) {
      return pair.virtual_key;
    }
  }
  return 0;
}

std::uint8_t character_of_virtual_key(std::int32_t code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
    return static_cast<std::uint8_t>(code);
  }
  if (code >= 0x60 && code <= 0x69) {  // VK_NUMPAD0..9
    return static_cast<std::uint8_t>('0' + (code - 0x60));
  }
  for (const keypad_operator& key : keypad_operators) {
    if (key.virtual_key == code) {
      return static_cast<std::uint8_t>(key.character);
    }
  }
  // Keys whose SDL key code is their character (Delete's 127 types nothing).
  for (const key_pair& pair : named_keys) {
    if (pair.virtual_key == code && pair.key > 0 && pair.key < 0x7F) {
      return static_cast<std::uint8_t>(pair.key);
    }
  }
  return 0;
}

bool is_virtual_key_down(std::int32_t code) {
  switch (code) {
    case virtual_key::shift:
      return scancode_down(SDL_SCANCODE_LSHIFT) || scancode_down(SDL_SCANCODE_RSHIFT);
    case virtual_key::control:
      return scancode_down(SDL_SCANCODE_LCTRL) || scancode_down(SDL_SCANCODE_RCTRL);
    case virtual_key::alt:
      return scancode_down(SDL_SCANCODE_LALT) || scancode_down(SDL_SCANCODE_RALT);
    case virtual_key::left_shift:
      return scancode_down(SDL_SCANCODE_LSHIFT);
    case virtual_key::right_shift:
      return scancode_down(SDL_SCANCODE_RSHIFT);
    case virtual_key::left_control:
      return scancode_down(SDL_SCANCODE_LCTRL);
    case virtual_key::right_control:
      return scancode_down(SDL_SCANCODE_RCTRL);
    case virtual_key::left_alt:
      return scancode_down(SDL_SCANCODE_LALT);
    case virtual_key::right_alt:
      return scancode_down(SDL_SCANCODE_RALT);
    case left_button:
      return button_down(SDL_BUTTON_LMASK);
    case right_button:
      return button_down(SDL_BUTTON_RMASK);
    case middle_button:
      return button_down(SDL_BUTTON_MMASK);
    default:
      break;
  }
  // Any other key: the first SDL key that maps to it, on the key it is on now.
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
    const SDL_Keycode key = code >= 'A' ? SDLK_a + (code - 'A') : SDLK_0 + (code - '0');
    return scancode_down(SDL_GetScancodeFromKey(key));
  }
  if (code >= 0x70 && code <= 0x7B) {
    return scancode_down(SDL_GetScancodeFromKey(SDLK_F1 + (code - 0x70)));
  }
  if (code >= 0x7C && code <= 0x87) {
    return scancode_down(SDL_GetScancodeFromKey(SDLK_F13 + (code - 0x7C)));
  }
  for (const key_pair& pair : named_keys) {
    if (pair.virtual_key == code && scancode_down(SDL_GetScancodeFromKey(pair.key))) {
      return true;
    }
  }
  return false;
}

}  // namespace hbsdk::ui
