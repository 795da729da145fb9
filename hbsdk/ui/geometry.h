#pragma once
// Integer geometry of the widget tree, in dips (1/96 inch): points, rectangles
// as (x, y, width, height), and rectangles as edges (left, top, right, bottom)
// for repaint requests.

#include <cstdint>

namespace hbsdk::ui {

struct point {
  std::int32_t x = 0;
  std::int32_t y = 0;

  friend bool operator==(const point&, const point&) = default;
};

struct rect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  friend bool operator==(const rect&, const rect&) = default;
};

struct edge_rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  friend bool operator==(const edge_rect&, const edge_rect&) = default;
};

}  // namespace hbsdk::ui
