#pragma once
// The input method of an SDL window, answering the window's text-input
// context from the window's composition state (sdl_composition.h), which
// the platform fills from SDL's text-editing and text-input events.
//
//   associate      attach: SDL_StartTextInput (text events on, the IME reset)
//                  and new compositions are reported. Detach: they are not,
//                  and a composition going on is forgotten. SDL's text input
//                  stays on either way: it is SDL's only source of typed
//                  characters (WM_CHAR), and it is process-wide, not per window
//   contexts       open while attached
//   strings        the edited text and the last result; no clause attributes
//                  (SDL reports none)
//   cursor         the edited text's cursor as SDL reports it
//   candidates     SDL_SetTextInputRect (client pixels of the keyboard window)
//   virtual key    the last key pressed in the window; its character is the
//                  one MapVirtualKeyW would give (character_of_virtual_key)
//   layout, IME    0 (neutral language) and false: SDL tells nothing about the
//                  keyboard layout or whether an IME serves it
//   complete       nothing: SDL has no call that commits a pending composition
//   caret          nothing: SDL windows have no system caret

#include "hbsdk/ui/input_method.h"
#include "hbsdk/ui/sdl/sdl_composition.h"

namespace hbsdk::ui {

class sdl_input_method final : public input_method {
public:
  explicit sdl_input_method(sdl_composition& state) : state_(state) {}

  void associate(bool attach) override;
  std::uint32_t keyboard_layout() override { return 0; }
  bool is_ime(std::uint32_t) override { return false; }
  bool open_context() override { return state_.attached; }
  void close_context() override {}
  std::int32_t string_bytes(std::uint32_t kind) override;
  std::u16string read_string(std::uint32_t kind, std::int32_t bytes) override;
  std::vector<std::uint8_t> attributes() override { return {}; }
  std::int32_t cursor_position() override { return state_.text.cursor; }
  void complete() override {}
  void place_candidates(const rect& area) override;
  std::uint64_t virtual_key() override { return static_cast<std::uint64_t>(state_.last_key); }
  std::uint8_t key_character(std::uint64_t key) override;
  void create_caret() override {}
  void destroy_caret() override {}

private:
  const std::u16string* string_of(std::uint32_t kind) const;

  sdl_composition& state_;
};

}  // namespace hbsdk::ui
