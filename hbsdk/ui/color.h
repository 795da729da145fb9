#pragma once
// A colour as four floats from 0 to 1, the way the style table stores it and
// the renderer takes it.

namespace hbsdk::ui {

struct color {
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;
  float alpha = 0.0f;

  friend bool operator==(const color&, const color&) = default;
};

}  // namespace hbsdk::ui
