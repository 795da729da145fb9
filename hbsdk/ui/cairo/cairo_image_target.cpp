#include "hbsdk/ui/cairo/cairo_image_target.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace hbsdk::ui {

cairo_image_target::cairo_image_target(std::int32_t width, std::int32_t height) { resize(width, height); }

void cairo_image_target::resize(std::int32_t width, std::int32_t height) {
  cairo_handles::surface made(cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 0), std::max(height, 0)));
  if (cairo_surface_status(made.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("unable to create a cairo image surface");
  }
  surface_ = std::move(made);
}

void cairo_image_target::end_frame(const edge_rect& changed) {
  cairo_surface_flush(surface_.get());
  ++frames_;
  last_changed_ = changed;
}

std::int32_t cairo_image_target::width() const noexcept { return cairo_image_surface_get_width(surface_.get()); }

std::int32_t cairo_image_target::height() const noexcept { return cairo_image_surface_get_height(surface_.get()); }

std::uint32_t cairo_image_target::pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) {
    throw std::out_of_range("pixel outside the surface");
  }
  cairo_surface_flush(surface_.get());
  const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                             static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_.get());
  std::uint32_t value = 0;
  std::memcpy(&value, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
  return value & 0xFFFFFFu;
}

}  // namespace hbsdk::ui
