#pragma once
// The window class of every toolkit window: registered on first use, once per
// process, and shared by all windows. Its name is "HBSDK_WINDOW_CLASS", or,
// when this module has a class of that name already, the name followed by as
// many "0" as it takes to find a free one.
//
// Class fields: style CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, the toolkit's
// window procedure, no extra bytes, this module, no icons, the arrow cursor,
// no background brush, no menu.

#include <functional>
#include <string>
#include <string_view>

namespace hbsdk::ui::win32 {

inline constexpr std::wstring_view base_class_name = L"HBSDK_WINDOW_CLASS";

// The name of the class, registered by the first call.
const wchar_t* window_class_name();

// The base name followed by as many "0" as it takes for `taken` to answer
// false. A class name holds at most 255 characters: when every name up to
// that length is taken, raises std::runtime_error.
std::wstring free_class_name(std::wstring_view base, const std::function<bool(const std::wstring&)>& taken);

}  // namespace hbsdk::ui::win32
