#pragma once
// SDL's key codes in the Windows virtual-key numbering the toolkit uses, and
// the state of a virtual key read from SDL's keyboard and mouse state.

#include <SDL.h>

#include <cstdint>

namespace hbsdk::ui {

// The virtual key of an SDL key code (layout-dependent, as the Windows code
// is), or 0 for a key that has none. Either shift, control or Alt key gives
// the generic code (VK_SHIFT, VK_CONTROL, VK_MENU), as WM_KEYDOWN does.
std::int32_t virtual_key_for(SDL_Keycode key);

// The character MapVirtualKeyW(MAPVK_VK_TO_CHAR) gives for a virtual key:
// letters in upper case, digits, Space, Backspace 8, Tab 9, Return 13,
// Escape 27, the keypad's digits and operators, and the punctuation SDL
// reports for the key on the current layout; 0 for a key that types nothing.
std::uint8_t character_of_virtual_key(std::int32_t virtual_key);

// Whether the virtual key is down now: keys from SDL's keyboard state (the
// generic shift, control and Alt codes when either side is down; the
// left/right codes for one side), and the mouse buttons VK_LBUTTON,
// VK_RBUTTON and VK_MBUTTON from its mouse state.
bool is_virtual_key_down(std::int32_t virtual_key);

}  // namespace hbsdk::ui
