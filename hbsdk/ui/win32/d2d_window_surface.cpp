#include "hbsdk/ui/win32/d2d_window_surface.h"

#include "hbsdk/ui/win32/com_error.h"
#include "hbsdk/ui/win32/native_window_procedure.h"

namespace hbsdk::ui::win32 {

d2d_window_surface::d2d_window_surface(ID2D1Factory& factory, HWND window) : window_(window) {
  RECT client{};
  GetClientRect(window_, &client);
  const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties();
  const D2D1_HWND_RENDER_TARGET_PROPERTIES window_properties = D2D1::HwndRenderTargetProperties(
      window_, D2D1::SizeU(static_cast<UINT32>(client.right), static_cast<UINT32>(client.bottom)),
      D2D1_PRESENT_OPTIONS_NONE);
  check(factory.CreateHwndRenderTarget(properties, window_properties, target_.put()),
        "unable to create a d2d render target");
}

void d2d_window_surface::frame_begun() { BeginPaint(window_, &paint_); }

void d2d_window_surface::frame_ended(HRESULT end_draw_result) {
  EndPaint(window_, &paint_);
  if (SUCCEEDED(end_draw_result) && !first_frame_drawn_) {
    first_frame_drawn_ = true;
    repaint_after_first_frame(window_);
  }
}

void d2d_window_surface::resize(std::int32_t width, std::int32_t height) {
  target_->Resize(D2D1::SizeU(static_cast<UINT32>(width), static_cast<UINT32>(height)));
}

}  // namespace hbsdk::ui::win32
