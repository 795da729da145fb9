#pragma once
// The one pair of conversions between UTF-8 (how the toolkit and the installer
// keep text) and wide UTF-16 text (what platform calls take). Both keep no
// shared state and may be called from any thread at once.
//
// Wide text is std::u16string on every target, so it behaves the same where
// wchar_t is 32 bits; Windows code reinterprets it as wchar_t at the call.

#include <string>
#include <string_view>

namespace hbsdk::filesystem {

// Decodes UTF-8 up to its first zero byte (or its end). Characters above
// U+FFFF become surrogate pairs. Throws std::range_error("bad conversion") on
// malformed input: a stray continuation byte, a truncated sequence, an overlong
// form, an encoded surrogate, a lead byte 0xF8-0xFF or a value above U+10FFFF.
// No partial result is returned.
std::u16string to_wide(std::string_view utf8);

// Decodes like to_wide, but never fails: each byte that does not start a
// well-formed character becomes U+FFFD. For text that is only shown.
std::u16string to_wide_replacing(std::string_view utf8);

// Encodes wide text up to its first zero unit (or its end). Never fails: a
// valid surrogate pair becomes one 4-byte sequence, and a lone surrogate is
// written as the 3-byte form of its unit, like every other unit above 0x7FF.
std::string to_utf8(std::u16string_view wide);

}  // namespace hbsdk::filesystem
