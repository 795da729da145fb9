#pragma once
// The falloff of drop shadows: 21 stops of black, from opaque at position 0
// to nearly clear at 20/21, alpha 3^(-(0.1 i)^2 / 0.72) at position i / 21.
// Every drawing backend builds its shadow gradient from these stops.

#include <array>
#include <cmath>

namespace hbsdk::ui {

struct gradient_stop {
  float position = 0.0f;
  float alpha = 0.0f;
};

inline std::array<gradient_stop, 21> shadow_gradient_stops() {
  std::array<gradient_stop, 21> stops{};
  for (int i = 0; i < 21; ++i) {
    const double distance = 0.1 * i;  // 1 - m(i), with m(i) = 1 - 0.1 i
    stops[static_cast<std::size_t>(i)] = {static_cast<float>(i) / 21.0f,
                                          static_cast<float>(std::pow(3.0, -(distance * distance) / (2 * 0.6 * 0.6)))};
  }
  return stops;
}

}  // namespace hbsdk::ui
