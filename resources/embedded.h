#pragma once
// Pictures compiled into the program's read-only data as PNG bytes. Each is
// generated from the file of the same name in resources/ at build time.
// Users reference these bytes; nothing copies or frees them.

#include <cstddef>

namespace hb::resources {

// Check box strip, 14 x 28 RGB: an empty box above the same box filled.
extern const unsigned char checkbox_png[];
extern const std::size_t checkbox_png_size;
// Downward-pointing triangle, 8 x 8 RGBA.
extern const unsigned char triangle_down_png[];
extern const std::size_t triangle_down_png_size;
// Right-pointing triangle, 8 x 8 RGBA.
extern const unsigned char triangle_right_png[];
extern const std::size_t triangle_right_png_size;
// Scroll bar arrows, 8 x 8 RGBA: a diamond, each half of which is one arrow.
extern const unsigned char scroll_arrows_png[];
extern const std::size_t scroll_arrows_png_size;
// Browser icons, 20 x 20 RGBA.
extern const unsigned char browser_folder_png[];
extern const std::size_t browser_folder_png_size;
extern const unsigned char browser_pack_png[];
extern const std::size_t browser_pack_png_size;
extern const unsigned char browser_virtual_png[];
extern const std::size_t browser_virtual_png_size;

// The installer's side banner, 160 x 310 RGB (made by scripts/make_banner.py).
extern const unsigned char banner_png[];
extern const std::size_t banner_png_size;

}  // namespace hb::resources
