#pragma once
// A picture decoded by the Windows Imaging Component: a cached 32-bit
// premultiplied BGRA bitmap at the drawn size. It keeps COM initialised on
// its thread for as long as it lives (unless the thread had COM in another
// mode already) and is what the Direct2D backend makes its device bitmaps from.

#include "hbsdk/ui/decoded_image.h"
#include "hbsdk/ui/win32/com_ptr.h"

#include <windows.h>
#include <wincodec.h>

namespace hbsdk::ui::win32 {

class wic_decoded_image final : public decoded_image {
public:
  wic_decoded_image(HRESULT com_result, com_ptr<IWICImagingFactory> factory, com_ptr<IWICBitmap> bitmap);
  ~wic_decoded_image() override;

  std::int32_t width() const noexcept override { return width_; }
  std::int32_t height() const noexcept override { return height_; }
  std::uint32_t pixel(std::int32_t x, std::int32_t y) const override;
  IWICBitmap* bitmap() const noexcept { return bitmap_.get(); }

private:
  HRESULT com_result_;
  com_ptr<IWICImagingFactory> factory_;
  com_ptr<IWICBitmap> bitmap_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace hbsdk::ui::win32
