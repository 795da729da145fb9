#include "hbsdk/ui/cairo/cairo_device_bitmap.h"

#include "hbsdk/ui/cairo/cairo_decoded_image.h"

#include <cstring>
#include <stdexcept>

namespace hbsdk::ui {
namespace {

cairo_surface_t* copy_of(const decoded_image& picture) {
  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width(), picture.height());
  if (cairo_surface_status(copy) != CAIRO_STATUS_SUCCESS) {
    return copy;
  }
  cairo_surface_flush(copy);
  unsigned char* data = cairo_image_surface_get_data(copy);
  const int stride = cairo_image_surface_get_stride(copy);
  for (std::int32_t y = 0; y < picture.height(); ++y) {
    for (std::int32_t x = 0; x < picture.width(); ++x) {
      const std::uint32_t value = picture.pixel(x, y);
      std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride + static_cast<std::ptrdiff_t>(x) * 4, &value, 4);
    }
  }
  cairo_surface_mark_dirty(copy);
  return copy;
}

}  // namespace

cairo_device_bitmap::cairo_device_bitmap(const decoded_image& picture) {
  if (const auto* decoded = dynamic_cast<const cairo_decoded_image*>(&picture)) {
    surface_.reset(cairo_surface_reference(decoded->surface()));
  } else {
    surface_.reset(copy_of(picture));
  }
  pattern_.reset(cairo_pattern_create_for_surface(surface_.get()));
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS ||
      cairo_pattern_status(pattern_.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("unable to create a cairo bitmap");
  }
  cairo_pattern_set_filter(pattern_.get(), CAIRO_FILTER_GOOD);
}

}  // namespace hbsdk::ui
