#include "hbsdk/ui/style_value.h"

#include <bit>

namespace hbsdk::ui {
namespace {

void append_le(std::string& bytes, std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) {
    bytes.push_back(static_cast<char>(static_cast<unsigned char>((value >> (8 * i)) & 0xFFu)));
  }
}

std::uint64_t read_le(const std::string& bytes, std::size_t offset, int width) {
  std::uint64_t value = 0;
  for (int i = 0; i < width; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    value |= static_cast<std::uint64_t>(byte) << (8 * i);
  }
  return value;
}

constexpr std::size_t image_bytes = 24;

}  // namespace

style_value style_value::from_color(const color& value) {
  style_value result;
  result.color_ = value;
  return result;
}

style_value style_value::from_float(float value) {
  style_value result;
  append_le(result.bytes_, std::bit_cast<std::uint32_t>(value), 4);
  return result;
}

style_value style_value::from_int(std::int32_t value) {
  style_value result;
  append_le(result.bytes_, static_cast<std::uint32_t>(value), 4);
  return result;
}

style_value style_value::from_flag(bool value) {
  style_value result;
  result.bytes_.push_back(value ? '\1' : '\0');
  return result;
}

style_value style_value::from_string(std::string_view text) {
  style_value result;
  result.bytes_.assign(text);
  return result;
}

style_value style_value::from_image(const unsigned char* data, std::size_t size, std::int32_t frame_count,
                                    float scale) {
  style_value result;
  append_le(result.bytes_, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(data)), 8);
  append_le(result.bytes_, static_cast<std::uint64_t>(data != nullptr ? size : 0), 8);
  append_le(result.bytes_, static_cast<std::uint32_t>(frame_count), 4);
  append_le(result.bytes_, std::bit_cast<std::uint32_t>(scale), 4);
  return result;
}

style_value style_value::no_image(std::int32_t frame_count, float scale) {
  return from_image(nullptr, 0, frame_count, scale);
}

float style_value::as_float() const noexcept {
  if (bytes_.size() < 4) {
    return 0.0f;
  }
  return std::bit_cast<float>(static_cast<std::uint32_t>(read_le(bytes_, 0, 4)));
}

std::int32_t style_value::as_int() const noexcept {
  if (bytes_.size() < 4) {
    return 0;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(read_le(bytes_, 0, 4)));
}

bool style_value::as_flag() const noexcept { return !bytes_.empty() && bytes_[0] != '\0'; }

style_image style_value::as_image() const noexcept {
  if (bytes_.size() < image_bytes) {
    return {};
  }
  style_image image;
  image.data = reinterpret_cast<const unsigned char*>(static_cast<std::uintptr_t>(read_le(bytes_, 0, 8)));
  // A count without an address could only be read through a null pointer.
  image.size = image.data != nullptr ? read_le(bytes_, 8, 8) : 0;
  image.frame_count = static_cast<std::int32_t>(static_cast<std::uint32_t>(read_le(bytes_, 16, 4)));
  image.scale = std::bit_cast<float>(static_cast<std::uint32_t>(read_le(bytes_, 20, 4)));
  return image;
}

}  // namespace hbsdk::ui
