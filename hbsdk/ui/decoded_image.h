#pragma once
// A picture decoded from PNG bytes into premultiplied 8-bit colour with
// alpha, scaled once to its drawn size. Each platform decodes with its own
// library (image_decoder.h); drawing backends make device bitmaps from it.

#include <cstdint>
#include <memory>

namespace hbsdk::ui {

class decoded_image {
public:
  virtual ~decoded_image() = default;
  decoded_image(const decoded_image&) = delete;
  decoded_image& operator=(const decoded_image&) = delete;

  // Size in pixels after scaling, which is its size in dips.
  virtual std::int32_t width() const noexcept = 0;
  virtual std::int32_t height() const noexcept = 0;
  // One pixel as 0xAARRGGBB, premultiplied (for tests and checks).
  virtual std::uint32_t pixel(std::int32_t x, std::int32_t y) const = 0;

protected:
  decoded_image() = default;
};

// A decoded picture as one drawing backend holds it.
class device_bitmap {
public:
  virtual ~device_bitmap() = default;
  device_bitmap(const device_bitmap&) = delete;
  device_bitmap& operator=(const device_bitmap&) = delete;

protected:
  device_bitmap() = default;
};

}  // namespace hbsdk::ui
