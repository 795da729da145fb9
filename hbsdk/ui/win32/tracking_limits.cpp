#include "hbsdk/ui/win32/tracking_limits.h"

#include "hbsdk/ui/mul_div.h"
#include "hbsdk/ui/saturate.h"

namespace hbsdk::ui::win32 {

namespace {

// One axis: the client limit plus the frame, taken to dips and back to
// pixels at the window's DPI, so the limit is what a size in dips rounds to.
std::int32_t round_trip(std::int32_t client_limit, std::int32_t frame, std::int32_t dpi) noexcept {
  const std::int32_t outer = saturate_to_int32(std::int64_t{client_limit} + frame);
  return mul_div(mul_div(outer, 96, dpi), dpi, 96);
}

}  // namespace

tracking_limits tracking_limits_for(const rect& client_limits, const edge_rect& frame, point dpi) noexcept {
  const std::int32_t frame_width = frame.right - frame.left;
  const std::int32_t frame_height = frame.bottom - frame.top;
  return {
      {round_trip(client_limits.x, frame_width, dpi.x), round_trip(client_limits.y, frame_height, dpi.y)},
      {round_trip(client_limits.width, frame_width, dpi.x), round_trip(client_limits.height, frame_height, dpi.y)},
  };
}

}  // namespace hbsdk::ui::win32
