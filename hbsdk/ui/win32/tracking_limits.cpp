#include "hbsdk/ui/win32/tracking_limits.h"

#include "hbsdk/ui/mul_div.h"

namespace hbsdk::ui::win32 {

tracking_limits tracking_limits_for(const rect& client_limits, const edge_rect& frame, point dpi) noexcept {
  const std::int32_t frame_width = frame.right - frame.left;
  const std::int32_t frame_height = frame.bottom - frame.top;
  return {
      {mul_div(client_limits.x, dpi.x, 96) + frame_width, mul_div(client_limits.y, dpi.y, 96) + frame_height},
      {mul_div(client_limits.width, dpi.x, 96) + frame_width, mul_div(client_limits.height, dpi.y, 96) + frame_height},
  };
}

}  // namespace hbsdk::ui::win32
