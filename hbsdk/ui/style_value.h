#pragma once
// An untyped style value: owned bytes for every kind but colour, or a colour.
// The kind is not stored; each key has one kind, fixed by its default, and
// the reader of a key interprets the value as that kind:
//
//   kind     data                  layout
//   colour   colour part           red, green, blue, alpha in 0..1
//   float    bytes                 4 bytes, IEEE 754 single, little-endian
//   integer  bytes                 4 bytes, signed 32-bit, little-endian
//   flag     bytes                 1 byte, non-zero is true
//   string   bytes                 UTF-8 text without terminator
//   image    bytes                 24 bytes: address of PNG bytes in the program's
//                                  constant data (8), byte count (8, 0 = none),
//                                  frame count (4, signed), scale (4, float)
//
// A value with fewer bytes than its kind needs reads as 0, false or no picture.

#include "hbsdk/ui/color.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hbsdk::ui {

// An image value decoded: the picture holds frame_count equal frames stacked
// vertically and was authored at scale times its drawn size. The bytes are
// referenced, never copied.
struct style_image {
  const unsigned char* data = nullptr;
  std::uint64_t size = 0;
  std::int32_t frame_count = 0;
  float scale = 0.0f;
};

class style_value {
public:
  style_value() = default;

  static style_value from_color(const color& value);
  static style_value from_float(float value);
  static style_value from_int(std::int32_t value);
  static style_value from_flag(bool value);
  static style_value from_string(std::string_view text);
  static style_value from_image(const unsigned char* data, std::size_t size, std::int32_t frame_count,
                                float scale);
  // No picture (byte count 0), with the frame count and scale given.
  static style_value no_image(std::int32_t frame_count = 1, float scale = 1.0f);

  color as_color() const noexcept { return color_; }
  float as_float() const noexcept;
  std::int32_t as_int() const noexcept;
  bool as_flag() const noexcept;
  std::string as_string() const { return bytes_; }
  style_image as_image() const noexcept;

  const std::string& bytes() const noexcept { return bytes_; }

  friend bool operator==(const style_value&, const style_value&) = default;

private:
  std::string bytes_;
  color color_;
};

}  // namespace hbsdk::ui
