#pragma once
// The outer sizes a user may size a window to (WM_GETMINMAXINFO): per axis,
// the native window's smallest or largest client size plus the frame, taken
// through dips and back at the window's DPI:
// MulDiv(MulDiv(limit + frame, 96, dpi), dpi, 96).

#include "hbsdk/ui/geometry.h"

namespace hbsdk::ui::win32 {

struct tracking_limits {
  point minimum;  // outer width and height, pixels
  point maximum;
};

// client_limits: minimum width and height in x and y, maximum width and
// height in width and height (native_window::size_limits), all in dips.
// frame: the frame insets of the window's style (left and top <= 0).
tracking_limits tracking_limits_for(const rect& client_limits, const edge_rect& frame, point dpi) noexcept;

}  // namespace hbsdk::ui::win32
