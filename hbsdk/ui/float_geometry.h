#pragma once
// Float geometry handed to drawing backends, in dips: points and rectangles
// as edges (left, top, right, bottom).

namespace hbsdk::ui {

struct point_f {
  float x = 0.0f;
  float y = 0.0f;

  friend bool operator==(const point_f&, const point_f&) = default;
};

struct rect_f {
  float left = 0.0f;
  float top = 0.0f;
  float right = 0.0f;
  float bottom = 0.0f;

  float width() const noexcept { return right - left; }
  float height() const noexcept { return bottom - top; }
  friend bool operator==(const rect_f&, const rect_f&) = default;
};

struct size_f {
  float width = 0.0f;
  float height = 0.0f;
};

}  // namespace hbsdk::ui
