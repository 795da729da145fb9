#pragma once
// The messages a native window delivers to the toolkit, in the Windows
// numbering on every platform: the Windows backend passes its own messages
// through, the Linux backend translates its events into the same codes and
// parameters, and the headless test backend posts them itself. One portable
// window procedure (window_procedure.h) turns them into toolkit events.
//
// Parameters follow Windows: WM_SIZE carries the client size in pixels in
// lparam (width low word, height high word); WM_MOUSEWHEEL the signed delta
// (120 per notch) in the high word of wparam; WM_TIMER the timer id in
// wparam; WM_KEYDOWN/UP a virtual-key code and WM_CHAR a UTF-16 unit in wparam.

#include <cstdint>

namespace hbsdk::ui {

namespace message {
inline constexpr std::uint32_t size = 0x0005;
inline constexpr std::uint32_t set_focus = 0x0007;
inline constexpr std::uint32_t kill_focus = 0x0008;
inline constexpr std::uint32_t paint = 0x000F;
inline constexpr std::uint32_t close = 0x0010;
inline constexpr std::uint32_t set_cursor = 0x0020;
inline constexpr std::uint32_t get_min_max_info = 0x0024;
inline constexpr std::uint32_t input_language_change = 0x0051;
inline constexpr std::uint32_t key_down = 0x0100;
inline constexpr std::uint32_t key_up = 0x0101;
inline constexpr std::uint32_t character = 0x0102;
// Keys pressed with Alt (and F10) arrive as system keys, which the toolkit
// leaves to the platform.
inline constexpr std::uint32_t sys_key_down = 0x0104;
inline constexpr std::uint32_t sys_key_up = 0x0105;
inline constexpr std::uint32_t sys_character = 0x0106;
inline constexpr std::uint32_t ime_start_composition = 0x010D;
inline constexpr std::uint32_t ime_end_composition = 0x010E;
inline constexpr std::uint32_t ime_composition = 0x010F;
inline constexpr std::uint32_t command = 0x0111;
inline constexpr std::uint32_t timer = 0x0113;
inline constexpr std::uint32_t mouse_move = 0x0200;
inline constexpr std::uint32_t left_button_down = 0x0201;
inline constexpr std::uint32_t left_button_up = 0x0202;
inline constexpr std::uint32_t left_button_double_click = 0x0203;
inline constexpr std::uint32_t right_button_down = 0x0204;
inline constexpr std::uint32_t right_button_up = 0x0205;
inline constexpr std::uint32_t right_button_double_click = 0x0206;
inline constexpr std::uint32_t middle_button_down = 0x0207;
inline constexpr std::uint32_t middle_button_up = 0x0208;
inline constexpr std::uint32_t middle_button_double_click = 0x0209;
inline constexpr std::uint32_t mouse_wheel = 0x020A;
inline constexpr std::uint32_t ime_set_context = 0x0281;
inline constexpr std::uint32_t mouse_leave = 0x02A3;
// The toolkit's own (WM_APP + 1): run the default actions a screen reader
// asked for (window::run_default_actions).
inline constexpr std::uint32_t accessible_action = 0x8001;
}  // namespace message

// The timer id of the tooltip tick.
inline constexpr std::uint64_t tooltip_timer_id = 0xFFFFFFFFu;

struct window_message {
  std::uint32_t code = 0;
  std::uint64_t wparam = 0;
  std::int64_t lparam = 0;
};

// Packs two 16-bit values the way Windows packs them into a parameter.
constexpr std::int64_t make_lparam(std::int32_t low, std::int32_t high) noexcept {
  return static_cast<std::int64_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                                   static_cast<std::uint32_t>(low & 0xFFFF));
}
constexpr std::uint64_t make_wheel_wparam(std::int32_t delta) noexcept {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(delta & 0xFFFF) << 16);
}

}  // namespace hbsdk::ui
