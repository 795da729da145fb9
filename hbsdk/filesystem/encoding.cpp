#include "hbsdk/filesystem/encoding.h"

#include <cstdint>
#include <stdexcept>

namespace hbsdk::filesystem {
namespace {

[[noreturn]] void bad_conversion() { throw std::range_error("bad conversion"); }

bool is_continuation(unsigned char byte) { return (byte & 0xC0u) == 0x80u; }

std::string_view until_zero(std::string_view text) {
  const auto zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

std::u16string_view until_zero(std::u16string_view text) {
  const auto zero = text.find(u'\0');
  return zero == std::u16string_view::npos ? text : text.substr(0, zero);
}

// Decodes the character that starts at text[i]: its code and its length in
// bytes, or false for a malformed sequence (a stray continuation byte, a
// truncated sequence, an overlong form, an encoded surrogate, a lead byte
// 0xF8-0xFF or a value above U+10FFFF).
bool decode_character(std::string_view text, std::size_t i, std::uint32_t& code, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t extra = 0;
  std::uint32_t smallest = 0;  // the least value that needs this length; less is overlong
  if (lead < 0x80u) {
    code = lead;
    length = 1;
    return true;
  } else if (lead < 0xC0u) {
    return false;  // continuation byte where a character should start
  } else if (lead < 0xE0u) {
    code = lead & 0x1Fu, extra = 1, smallest = 0x80;
  } else if (lead < 0xF0u) {
    code = lead & 0x0Fu, extra = 2, smallest = 0x800;
  } else if (lead < 0xF8u) {
    code = lead & 0x07u, extra = 3, smallest = 0x10000;
  } else {
    return false;
  }
  if (text.size() - i - 1 < extra) return false;  // cut off by the end
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto byte = static_cast<unsigned char>(text[i + k]);
    if (!is_continuation(byte)) return false;
    code = (code << 6) | (byte & 0x3Fu);
  }
  if (code < smallest || code > 0x10FFFFu || (code >= 0xD800u && code <= 0xDFFFu)) return false;
  length = extra + 1;
  return true;
}

void append_code(std::u16string& wide, std::uint32_t code) {
  if (code < 0x10000u) {
    wide.push_back(static_cast<char16_t>(code));
  } else {
    code -= 0x10000u;
    wide.push_back(static_cast<char16_t>(0xD800u + (code >> 10)));
    wide.push_back(static_cast<char16_t>(0xDC00u + (code & 0x3FFu)));
  }
}

}  // namespace

std::u16string to_wide(std::string_view utf8) {
  const std::string_view text = until_zero(utf8);
  std::u16string wide;
  wide.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    std::uint32_t code = 0;
    std::size_t length = 0;
    if (!decode_character(text, i, code, length)) bad_conversion();
    append_code(wide, code);
    i += length;
  }
  return wide;
}

std::u16string to_wide_replacing(std::string_view utf8) {
  const std::string_view text = until_zero(utf8);
  std::u16string wide;
  wide.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    std::uint32_t code = 0;
    std::size_t length = 0;
    if (decode_character(text, i, code, length)) {
      append_code(wide, code);
      i += length;
    } else {
      wide.push_back(u'\uFFFD');
      ++i;
    }
  }
  return wide;
}

std::string to_utf8(std::u16string_view wide) {
  const std::u16string_view text = until_zero(wide);
  std::string utf8;
  utf8.reserve(text.size());

  const auto put = [&utf8](std::uint32_t byte) { utf8.push_back(static_cast<char>(byte)); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t unit = text[i];
    if (unit >= 0xD800u && unit <= 0xDBFFu && i + 1 < text.size() && text[i + 1] >= 0xDC00u &&
        text[i + 1] <= 0xDFFFu) {
      const std::uint32_t code = 0x10000u + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
      ++i;
      put(0xF0u | (code >> 18));
      put(0x80u | ((code >> 12) & 0x3Fu));
      put(0x80u | ((code >> 6) & 0x3Fu));
      put(0x80u | (code & 0x3Fu));
    } else if (unit < 0x80u) {
      put(unit);
    } else if (unit < 0x800u) {
      put(0xC0u | (unit >> 6));
      put(0x80u | (unit & 0x3Fu));
    } else {
      put(0xE0u | (unit >> 12));
      put(0x80u | ((unit >> 6) & 0x3Fu));
      put(0x80u | (unit & 0x3Fu));
    }
  }
  return utf8;
}

}  // namespace hbsdk::filesystem
