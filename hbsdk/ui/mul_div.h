#pragma once
// Scales a by b / c in 64-bit arithmetic and rounds half away from zero, the
// way the Windows MulDiv does; the toolkit converts between pixels and dips
// with it on every platform. A divisor of 0 gives -1, as MulDiv does. A
// result beyond the int32 range saturates at its nearer end (MulDiv gives -1
// there, which as a size or position would be a wrong value too).

#include "hbsdk/ui/saturate.h"

#include <cstdint>

namespace hbsdk::ui {

constexpr std::int32_t mul_div(std::int32_t a, std::int32_t b, std::int32_t c) noexcept {
  if (c == 0) {
    return -1;
  }
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t magnitude = (product < 0 ? -product : product);
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
  const bool negative = (product < 0) != (c < 0);
  return saturate_to_int32(negative ? -rounded : rounded);
}

}  // namespace hbsdk::ui
