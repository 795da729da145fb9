#pragma once
// Names from an archive as hbpack prints them. A stored name may hold any
// bytes, and control characters would reach the terminal as commands (an
// escape sequence can retitle the window, move the cursor or hide text), so
// they are printed escaped.

#include <string>
#include <string_view>

namespace hbpack {

// The name with every control character (C0, DEL and C1) and every byte that
// is not part of valid UTF-8 written as \xNN, and the backslash written as
// \\ so that an escape cannot be faked; everything else as it is.
std::string printable_name(std::string_view name);

}  // namespace hbpack
