#pragma once
// Geometry sums and products are taken in 64 bits and brought back into the
// int32 range by saturating: a far-off or huge widget ends at the edge of
// the range instead of wrapping around to the other side.

#include <cstdint>
#include <limits>

namespace hbsdk::ui {

constexpr std::int32_t saturate_to_int32(std::int64_t value) noexcept {
  constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value < lowest ? lowest : (value > highest ? highest : value));
}

}  // namespace hbsdk::ui
