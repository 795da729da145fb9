#pragma once
// Direct2D drawing into a bitmap in memory (a WIC bitmap render target of
// 32-bit premultiplied BGRA at 96 DPI, cleared to transparent black). It
// draws the same pixels as a window target does, so tests and tools can look
// at what the Direct2D backend draws without a window.

#include "hbsdk/ui/win32/com_ptr.h"
#include "hbsdk/ui/win32/d2d_surface.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <vector>

namespace hbsdk::ui::win32 {

class d2d_bitmap_surface final : public d2d_surface {
public:
  // Raises "unable to create the imaging factory" or "unable to create a d2d
  // render target".
  d2d_bitmap_surface(ID2D1Factory& factory, std::int32_t width, std::int32_t height);
  ~d2d_bitmap_surface() override;

  ID2D1RenderTarget& target() noexcept override { return *target_.get(); }
  void frame_begun() override { ++frames_; }
  void frame_ended(HRESULT end_draw_result) override { last_end_draw_ = end_draw_result; }

  std::int32_t width() const noexcept { return width_; }
  std::int32_t height() const noexcept { return height_; }
  // Every pixel, row by row, as 0xAARRGGBB premultiplied.
  std::vector<std::uint32_t> pixels() const;
  std::uint32_t pixel(std::int32_t x, std::int32_t y) const;
  // Frames begun so far, and the result of the last EndDraw.
  int frames() const noexcept { return frames_; }
  HRESULT last_end_draw() const noexcept { return last_end_draw_; }

private:
  HRESULT com_result_;
  std::int32_t width_;
  std::int32_t height_;
  com_ptr<IWICImagingFactory> imaging_;
  com_ptr<IWICBitmap> bitmap_;
  com_ptr<ID2D1RenderTarget> target_;
  int frames_ = 0;
  HRESULT last_end_draw_ = S_OK;
};

}  // namespace hbsdk::ui::win32
