#pragma once
// A decoded picture as the cairo drawing backend of one window holds it: a
// surface pattern that shares the decoded surface (cairo counts the
// references, so the pattern stays drawable after the image is unloaded),
// filtered with GOOD when it is scaled.

#include "hbsdk/ui/cairo/cairo_handles.h"
#include "hbsdk/ui/decoded_image.h"

#include <cairo.h>

#include <cstdint>

namespace hbsdk::ui {

class cairo_device_bitmap final : public device_bitmap {
public:
  // Shares the surface of a picture that cairo decoded; any other decoded
  // picture is copied pixel by pixel.
  explicit cairo_device_bitmap(const decoded_image& picture);

  cairo_pattern_t* pattern() const noexcept { return pattern_.get(); }
  cairo_surface_t* surface() const noexcept { return surface_.get(); }

private:
  cairo_handles::surface surface_;
  cairo_handles::pattern pattern_;
};

}  // namespace hbsdk::ui
