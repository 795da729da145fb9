#include "hbsdk/ui/sdl/sdl_input_method.h"

#include "hbsdk/ui/sdl/sdl_virtual_keys.h"

#include <SDL.h>

namespace hbsdk::ui {

void sdl_input_method::associate(bool attach) {
  state_.attached = attach;
  if (attach) {
    SDL_StartTextInput();
  } else {
    state_.text = {};
  }
}

const std::u16string* sdl_input_method::string_of(std::uint32_t kind) const {
  if (kind == composition::comp_string) {
    return &state_.text.edited;
  }
  if (kind == composition::result_string) {
    return &state_.text.result;
  }
  return nullptr;
}

std::int32_t sdl_input_method::string_bytes(std::uint32_t kind) {
  const std::u16string* text = string_of(kind);
  return text != nullptr ? static_cast<std::int32_t>(text->size() * 2) : 0;
}

// As ImmGetCompositionStringW: at most bytes / 2 units are written.
std::u16string sdl_input_method::read_string(std::uint32_t kind, std::int32_t bytes) {
  const std::u16string* text = string_of(kind);
  if (text == nullptr || bytes <= 0) {
    return {};
  }
  return text->substr(0, static_cast<std::size_t>(bytes) / 2);
}

void sdl_input_method::place_candidates(const rect& area) {
  SDL_Rect where{area.x, area.y, area.width, area.height};
  SDL_SetTextInputRect(&where);
}

std::uint8_t sdl_input_method::key_character(std::uint64_t key) {
  return key > 0xFF ? 0 : character_of_virtual_key(static_cast<std::int32_t>(key));
}

}  // namespace hbsdk::ui
