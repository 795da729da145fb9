#include "hbsdk/ui/cursor_position.h"

#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/saturate.h"
#include "hbsdk/ui/widget.h"

#include <cstdint>

namespace hbsdk::ui {
namespace {

// A DPI that is not positive would divide by zero; such a screen is taken as 96.
std::int32_t to_dips(std::int32_t pixels, std::int32_t dpi) {
  if (dpi <= 0) {
    return pixels;
  }
  return saturate_to_int32(static_cast<std::int64_t>(pixels) * 96 / dpi);
}

}  // namespace

point cursor_position(const widget* relative_to) {
  platform_services& services = platform();
  point p = services.pointer_position();
  const bool in_window = relative_to != nullptr && relative_to->window() != nullptr;
  if (in_window) {
    p = services.screen_to_client(*relative_to->window(), p);
  }
  const point dpi = services.screen_dpi();
  p = {to_dips(p.x, dpi.x), to_dips(p.y, dpi.y)};
  if (in_window) {
    // The root (the node without a parent) keeps its own position out. The
    // sum is taken in 64 bits, so far-off widgets saturate instead of wrapping.
    std::int64_t x = p.x;
    std::int64_t y = p.y;
    for (const widget* node = relative_to; node->parent() != nullptr; node = node->parent()) {
      x -= node->x();
      y -= node->y();
    }
    p = {saturate_to_int32(x), saturate_to_int32(y)};
  }
  return p;
}

}  // namespace hbsdk::ui
