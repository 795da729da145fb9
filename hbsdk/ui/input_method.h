#pragma once
// What a platform's input method (IME) does for one window, in the terms of
// the Windows input-method manager; the window's text-input context
// (text_input_context.h) drives it. Calls between open_context and
// close_context use the window's input-method context; open_context fails
// when the window has none (none is attached, or the platform has none).

#include "hbsdk/ui/geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hbsdk::ui {

// Kinds of composition strings and the attribute of a converted clause.
namespace composition {
inline constexpr std::uint32_t comp_string = 0x0008;      // GCS_COMPSTR
inline constexpr std::uint32_t comp_attribute = 0x0010;   // GCS_COMPATTR
inline constexpr std::uint32_t cursor_position = 0x0080;  // GCS_CURSORPOS
inline constexpr std::uint32_t result_string = 0x0800;    // GCS_RESULTSTR
inline constexpr std::uint8_t target_converted = 1;       // ATTR_TARGET_CONVERTED
inline constexpr std::uint16_t korean = 0x12;             // LANG_KOREAN
}  // namespace composition

class input_method {
public:
  virtual ~input_method() = default;
  input_method(const input_method&) = delete;
  input_method& operator=(const input_method&) = delete;

  // Attaches the platform's default input-method context to the window, or
  // detaches it (ImmAssociateContext).
  virtual void associate(bool attach) = 0;
  // The active keyboard layout of the thread, and whether it is an IME.
  virtual std::uint32_t keyboard_layout() = 0;
  virtual bool is_ime(std::uint32_t layout) = 0;

  virtual bool open_context() = 0;
  virtual void close_context() = 0;
  // The size in bytes of a composition string (0 or less: none).
  virtual std::int32_t string_bytes(std::uint32_t kind) = 0;
  // The string of that kind, read into a buffer of bytes / 2 + 1 units.
  virtual std::u16string read_string(std::uint32_t kind, std::int32_t bytes) = 0;
  // One attribute byte per character of the composition string.
  virtual std::vector<std::uint8_t> attributes() = 0;
  // The cursor's position in the composition string.
  virtual std::int32_t cursor_position() = 0;
  // Asks the input method to complete the pending composition.
  virtual void complete() = 0;
  // Places the candidate list at the area (client pixels), excluding it.
  virtual void place_candidates(const rect& area) = 0;

  // Outside a context: the key behind the last key message, the low byte of
  // the character a key produces, and the caret.
  virtual std::uint64_t virtual_key() = 0;
  virtual std::uint8_t key_character(std::uint64_t key) = 0;
  virtual void create_caret() = 0;
  virtual void destroy_caret() = 0;

protected:
  input_method() = default;
};

}  // namespace hbsdk::ui
