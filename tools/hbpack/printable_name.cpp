#include "tools/hbpack/printable_name.h"

#include <stdexcept>

#include "hbsdk/filesystem/encoding.h"

namespace hbpack {
namespace {

// The length of the UTF-8 sequence its lead byte announces; 0 for a byte
// that cannot start one.
std::size_t announced_length(unsigned char lead) {
  if (lead < 0x80u) return 1;
  if (lead < 0xC2u) return 0;  // a continuation byte, or the lead of an overlong form
  if (lead < 0xE0u) return 2;
  if (lead < 0xF0u) return 3;
  if (lead < 0xF5u) return 4;
  return 0;
}

void escape_byte(std::string& out, unsigned char byte) {
  static constexpr char digits[] = "0123456789abcdef";
  out += "\\x";
  out += digits[byte >> 4];
  out += digits[byte & 0xFu];
}

bool is_control(char16_t unit) { return unit < 0x20u || (unit >= 0x7Fu && unit <= 0x9Fu); }

}  // namespace

std::string printable_name(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  std::size_t i = 0;
  while (i < name.size()) {
    const auto lead = static_cast<unsigned char>(name[i]);
    const std::size_t length = announced_length(lead);
    if (lead == '\\') {
      out += "\\\\";
      ++i;
      continue;
    }
    std::u16string decoded;
    if (length > 0 && length <= name.size() - i && lead != 0) {
      // The one UTF-8 decoder of the program judges the sequence: it rejects
      // truncated, overlong and surrogate forms and values past U+10FFFF.
      try {
        decoded = hbsdk::filesystem::to_wide(name.substr(i, length));
      } catch (const std::range_error&) {
        decoded.clear();
      }
    }
    if (decoded.empty()) {
      escape_byte(out, lead);
      ++i;
    } else if (decoded.size() == 1 && is_control(decoded[0])) {
      for (std::size_t k = 0; k < length; ++k) escape_byte(out, static_cast<unsigned char>(name[i + k]));
      i += length;
    } else {
      out.append(name.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace hbpack
