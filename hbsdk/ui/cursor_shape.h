#pragma once
// The nine mouse cursors a toolkit window can show, numbered as the toolkit
// has always numbered them (4 and 7 are the same system cursor).

#include <cstdint>

namespace hbsdk::ui {

enum class cursor_shape : std::int32_t {
  arrow = 0,
  cross = 1,
  size_west_east = 2,
  size_north_south = 3,
  size_north_west_south_east = 4,
  text = 5,
  hand = 6,
  size_north_west_south_east_too = 7,
  size_north_east_south_west = 8,
};

inline constexpr std::int32_t cursor_shape_count = 9;

// Shows the cursor of that shape over the toolkit's windows. A number outside
// 0..8 is ignored.
void set_cursor(cursor_shape shape);

}  // namespace hbsdk::ui
