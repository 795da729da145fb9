#pragma once
// Where the pointer is, in dips: in a widget's own coordinates, or on the
// screen when no widget is given.

#include "hbsdk/ui/geometry.h"

namespace hbsdk::ui {

class widget;

// The pointer position converted to the client area of the widget's window,
// scaled from pixels to dips with the screen DPI (truncating toward zero),
// then made relative to the widget by subtracting its position and that of
// each ancestor below the root. Without a widget (or for a widget outside any
// window) the position is the screen's, in dips.
point cursor_position(const widget* relative_to);

}  // namespace hbsdk::ui
