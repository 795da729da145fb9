#pragma once
// The one process-wide mouse capture: a widget that tracks a drag sets it,
// and while it is set (and its widget enabled) mouse_up and mouse_move go to
// that widget instead of the one under the pointer. A widget that is
// destroyed while it holds the capture clears it.

namespace hbsdk::ui {

class widget;

widget* mouse_capture() noexcept;
void set_mouse_capture(widget* target) noexcept;

}  // namespace hbsdk::ui
