#pragma once
// Where a Direct2D drawing backend draws: a window (d2d_window_surface.h) or
// a bitmap in memory (d2d_bitmap_surface.h). The backend brackets each frame
// with frame_begun and frame_ended around BeginDraw and EndDraw.

#include <d2d1.h>

#include <cstdint>

namespace hbsdk::ui::win32 {

class d2d_surface {
public:
  virtual ~d2d_surface() = default;
  d2d_surface(const d2d_surface&) = delete;
  d2d_surface& operator=(const d2d_surface&) = delete;

  virtual ID2D1RenderTarget& target() noexcept = 0;
  // Before BeginDraw.
  virtual void frame_begun() {}
  // After EndDraw, with its result.
  virtual void frame_ended(HRESULT /*end_draw_result*/) {}
  // The surface's size changed to this many pixels.
  virtual void resize(std::int32_t /*width*/, std::int32_t /*height*/) {}

protected:
  d2d_surface() = default;
};

}  // namespace hbsdk::ui::win32
