#pragma once
// PNG files made in memory for the image tests: 8-bit RGBA, no filtering.

#include <cstdint>
#include <functional>
#include <vector>

namespace hb_test {

// colour_at(x, y) gives 0xRRGGBBAA (straight alpha).
std::vector<unsigned char> make_png(std::uint32_t width, std::uint32_t height,
                                    const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& colour_at);

}  // namespace hb_test
