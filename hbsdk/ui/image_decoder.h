#pragma once
// Decodes PNG bytes with the platform's imaging library (the Windows Imaging
// Component, or cairo on Linux) into premultiplied colour, scaled by 1/scale
// (a picture authored at twice its drawn size has scale 2).

#include "hbsdk/ui/decoded_image.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace hbsdk::ui {

// The largest side of a decoded picture, in pixels.
constexpr std::int32_t largest_picture_side = 32767;

// A side of source pixels at 1/scale, truncated toward zero; 0 when that is
// less than one pixel, more than largest_picture_side, or not a number (the
// float is checked before it becomes an integer).
constexpr std::int32_t scaled_side(std::uint32_t source, float scale) noexcept {
  const float scaled = static_cast<float>(source) * (1.0f / scale);
  if (!(scaled >= 1.0f) || !(scaled < static_cast<float>(largest_picture_side) + 1.0f)) {
    return 0;
  }
  return static_cast<std::int32_t>(scaled);
}

// Nothing when the bytes are not a picture the library can open, when the
// picture scales to no pixel (or to more than largest_picture_side) either
// way, or when the library fails to convert or scale it. Never raises for a
// picture: a paint that loads one goes on without it.
std::unique_ptr<decoded_image> decode_image(const unsigned char* bytes, std::size_t count, float scale);

}  // namespace hbsdk::ui
