#pragma once
// Direct2D drawing into a window: a window render target with default
// properties (the desktop DPI applies) whose pixel size is the client size.
// A frame is one native paint: BeginPaint before the drawing, EndPaint after.
//
// Wine often loses a window's first frames, so after the first successful
// EndDraw the window is painted again a few times (repaint_after_first_frame,
// native_window_procedure.h).

#include "hbsdk/ui/win32/com_ptr.h"
#include "hbsdk/ui/win32/d2d_surface.h"

#include <windows.h>

namespace hbsdk::ui::win32 {

class d2d_window_surface final : public d2d_surface {
public:
  // Raises "unable to create a d2d render target".
  d2d_window_surface(ID2D1Factory& factory, HWND window);

  ID2D1RenderTarget& target() noexcept override { return *target_.get(); }
  void frame_begun() override;
  void frame_ended(HRESULT end_draw_result) override;
  void resize(std::int32_t width, std::int32_t height) override;

private:
  HWND window_;
  com_ptr<ID2D1HwndRenderTarget> target_;
  PAINTSTRUCT paint_{};
  bool first_frame_drawn_ = false;
};

}  // namespace hbsdk::ui::win32
