#pragma once
// Virtual-key codes as the toolkit uses them on every platform (the Windows
// numbering; other backends translate their key codes to it).

#include <cstdint>

namespace hbsdk::ui::virtual_key {

inline constexpr std::int32_t back = 0x08;
inline constexpr std::int32_t tab = 0x09;
inline constexpr std::int32_t enter = 0x0D;
inline constexpr std::int32_t shift = 0x10;
inline constexpr std::int32_t control = 0x11;
inline constexpr std::int32_t alt = 0x12;  // VK_MENU
inline constexpr std::int32_t escape = 0x1B;
inline constexpr std::int32_t space = 0x20;
inline constexpr std::int32_t page_up = 0x21;    // VK_PRIOR
inline constexpr std::int32_t page_down = 0x22;  // VK_NEXT
inline constexpr std::int32_t end = 0x23;
inline constexpr std::int32_t home = 0x24;
inline constexpr std::int32_t left = 0x25;
inline constexpr std::int32_t up = 0x26;
inline constexpr std::int32_t right = 0x27;
inline constexpr std::int32_t down = 0x28;
inline constexpr std::int32_t left_shift = 0xA0;
inline constexpr std::int32_t right_shift = 0xA1;
inline constexpr std::int32_t left_control = 0xA2;
inline constexpr std::int32_t right_control = 0xA3;
inline constexpr std::int32_t left_alt = 0xA4;
inline constexpr std::int32_t right_alt = 0xA5;

}  // namespace hbsdk::ui::virtual_key
