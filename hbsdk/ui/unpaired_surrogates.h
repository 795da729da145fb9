#pragma once
// Text handed to a layout library: a high surrogate followed by a low one is
// a character; any other surrogate unit becomes one U+FFFD. The length in
// UTF-16 units stays the same, so formatting runs keep their ranges.

#include <string>
#include <string_view>

namespace hbsdk::ui {

std::u16string replace_unpaired_surrogates(std::u16string_view text);

}  // namespace hbsdk::ui
