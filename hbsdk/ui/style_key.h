#pragma once
// A style key: a read-only view of zero-terminated text that lives as long as
// the program (in practice a string literal). Keys are never copied or
// allocated; two keys are equal when their bytes are (case matters), and they
// hash with djb2 over the bytes taken as signed values.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hbsdk::ui {

// djb2 in 32-bit unsigned arithmetic: start from 5381, then for each byte
// hash = hash * 33 + the byte as a signed 8-bit value (so 0xE9 adds -23).
constexpr std::uint32_t style_key_hash(std::string_view text) noexcept {
  std::uint32_t hash = 5381;
  for (const char c : text) {
    const auto byte = static_cast<std::int8_t>(static_cast<unsigned char>(c));
    hash = hash * 33u + static_cast<std::uint32_t>(static_cast<std::int32_t>(byte));
  }
  return hash;
}

class style_key {
public:
  // From zero-terminated text; none is the empty key. Implicit, because keys
  // are written as literals where a key is expected.
  constexpr style_key(const char* text) noexcept
      : text_(text != nullptr ? std::string_view(text) : std::string_view()) {}

  constexpr std::string_view view() const noexcept { return text_; }
  // The zero-terminated text (style_changed hands this address to receivers).
  constexpr const char* c_str() const noexcept { return text_.empty() ? "" : text_.data(); }

  friend constexpr bool operator==(style_key a, style_key b) noexcept { return a.text_ == b.text_; }

private:
  std::string_view text_;
};

struct style_key_hasher {
  std::size_t operator()(style_key key) const noexcept { return style_key_hash(key.view()); }
};

}  // namespace hbsdk::ui
