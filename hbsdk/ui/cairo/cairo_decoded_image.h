#pragma once
// A picture decoded by cairo: a premultiplied ARGB32 image surface at the
// drawn size. The cairo drawing backend paints from it.

#include "hbsdk/ui/decoded_image.h"

#include <cairo.h>

namespace hbsdk::ui {

class cairo_decoded_image final : public decoded_image {
public:
  // Takes over the reference to the surface.
  explicit cairo_decoded_image(cairo_surface_t* surface) noexcept : surface_(surface) {}
  ~cairo_decoded_image() override;

  std::int32_t width() const noexcept override;
  std::int32_t height() const noexcept override;
  // 0xAARRGGBB, premultiplied.
  std::uint32_t pixel(std::int32_t x, std::int32_t y) const override;
  cairo_surface_t* surface() const noexcept { return surface_; }

private:
  cairo_surface_t* surface_;
};

}  // namespace hbsdk::ui
