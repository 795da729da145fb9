#pragma once
// A picture as one Direct2D target draws it: a bitmap shared from the one
// made of the decoded WIC bitmap.

#include "hbsdk/ui/decoded_image.h"
#include "hbsdk/ui/win32/com_ptr.h"

#include <d2d1.h>

#include <utility>

namespace hbsdk::ui::win32 {

class d2d_device_bitmap final : public device_bitmap {
public:
  explicit d2d_device_bitmap(com_ptr<ID2D1Bitmap> bitmap) noexcept : bitmap_(std::move(bitmap)) {}
  ID2D1Bitmap* get() const noexcept { return bitmap_.get(); }

private:
  com_ptr<ID2D1Bitmap> bitmap_;
};

}  // namespace hbsdk::ui::win32
