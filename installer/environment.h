#pragma once
// Reads one variable of the process environment as wide text.

#include <optional>
#include <string>
#include <string_view>

namespace installer {

// The whole value, however long; nothing when the variable is not set or its
// value cannot be decoded as text. An empty value is returned as it is.
std::optional<std::u16string> environment_variable(std::u16string_view name);

}  // namespace installer
