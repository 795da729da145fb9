// PNG decoding with cairo: cairo reads the PNG into premultiplied ARGB32,
// which is then scaled once to the drawn size (with the GOOD filter: BEST
// lets alpha leak past the edges).
#include "hbsdk/ui/cairo/cairo_decoded_image.h"
#include "hbsdk/ui/image_decoder.h"

#include <cairo.h>

#include <cstring>
#include <stdexcept>  // std::out_of_range

namespace hbsdk::ui {
namespace {

struct memory_reader {
  const unsigned char* bytes;
  std::size_t remaining;
};

cairo_status_t read_from_memory(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<memory_reader*>(closure);
  if (length > reader->remaining) {
    return CAIRO_STATUS_READ_ERROR;
  }
  std::memcpy(data, reader->bytes, length);
  reader->bytes += length;
  reader->remaining -= length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::unique_ptr<decoded_image> decode_image(const unsigned char* bytes, std::size_t count, float scale) {
  memory_reader reader{bytes, count};
  cairo_surface_t* source = cairo_image_surface_create_from_png_stream(read_from_memory, &reader);
  if (cairo_surface_status(source) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(source);
    return nullptr;
  }
  const int source_width = cairo_image_surface_get_width(source);
  const int source_height = cairo_image_surface_get_height(source);
  const int width = scaled_side(static_cast<std::uint32_t>(source_width), scale);
  const int height = scaled_side(static_cast<std::uint32_t>(source_height), scale);
  if (width == 0 || height == 0) {
    cairo_surface_destroy(source);
    return nullptr;
  }
  cairo_surface_t* scaled = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(scaled) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(source);
    cairo_surface_destroy(scaled);
    return nullptr;
  }
  cairo_t* context = cairo_create(scaled);
  cairo_scale(context, static_cast<double>(width) / source_width, static_cast<double>(height) / source_height);
  cairo_set_source_surface(context, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(context), CAIRO_FILTER_GOOD);
  cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
  cairo_paint(context);
  cairo_destroy(context);
  cairo_surface_destroy(source);
  cairo_surface_flush(scaled);
  return std::make_unique<cairo_decoded_image>(scaled);
}

cairo_decoded_image::~cairo_decoded_image() { cairo_surface_destroy(surface_); }

std::int32_t cairo_decoded_image::width() const noexcept { return cairo_image_surface_get_width(surface_); }

std::int32_t cairo_decoded_image::height() const noexcept { return cairo_image_surface_get_height(surface_); }

std::uint32_t cairo_decoded_image::pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) {
    throw std::out_of_range("pixel outside the picture");
  }
  const unsigned char* row = cairo_image_surface_get_data(surface_) +
                             static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_);
  std::uint32_t value = 0;
  std::memcpy(&value, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
  return value;
}

}  // namespace hbsdk::ui
