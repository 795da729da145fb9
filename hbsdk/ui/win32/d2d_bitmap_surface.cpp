#include "hbsdk/ui/win32/d2d_bitmap_surface.h"

#include "hbsdk/ui/win32/com_error.h"

#include <objbase.h>

#include <stdexcept>

namespace hbsdk::ui::win32 {
namespace {

constexpr CLSID imaging_factory_class = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID premultiplied_bgra = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x10}};

}  // namespace

d2d_bitmap_surface::d2d_bitmap_surface(ID2D1Factory& factory, std::int32_t width, std::int32_t height)
    : com_result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)), width_(width), height_(height) {
  try {
    check(CoCreateInstance(imaging_factory_class, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                           imaging_.put_void()),
          "unable to create the imaging factory");
    constexpr const char* failure = "unable to create a d2d render target";
    check(imaging_->CreateBitmap(static_cast<UINT>(width), static_cast<UINT>(height), premultiplied_bgra,
                                 WICBitmapCacheOnLoad, bitmap_.put()),
          failure);
    const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED),
        96.0f, 96.0f);
    check(factory.CreateWicBitmapRenderTarget(bitmap_.get(), properties, target_.put()), failure);
    target_->BeginDraw();
    target_->Clear(D2D1::ColorF(0.0f, 0.0f, 0.0f, 0.0f));
    check(target_->EndDraw(), failure);
  } catch (...) {
    target_.reset();
    bitmap_.reset();
    imaging_.reset();
    if (SUCCEEDED(com_result_)) {
      CoUninitialize();
    }
    throw;
  }
}

d2d_bitmap_surface::~d2d_bitmap_surface() {
  target_.reset();
  bitmap_.reset();
  imaging_.reset();
  if (SUCCEEDED(com_result_)) {
    CoUninitialize();
  }
}

std::vector<std::uint32_t> d2d_bitmap_surface::pixels() const {
  std::vector<std::uint32_t> all(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  const WICRect whole{0, 0, width_, height_};
  const auto stride = static_cast<UINT>(width_) * 4u;
  if (FAILED(bitmap_->CopyPixels(&whole, stride, static_cast<UINT>(all.size() * 4), reinterpret_cast<BYTE*>(all.data())))) {
    throw std::runtime_error("the bitmap's pixels cannot be read");
  }
  return all;
}

std::uint32_t d2d_bitmap_surface::pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("pixel outside the bitmap");
  }
  const WICRect one{x, y, 1, 1};
  std::uint32_t value = 0;
  if (FAILED(bitmap_->CopyPixels(&one, 4, 4, reinterpret_cast<BYTE*>(&value)))) {
    throw std::runtime_error("the bitmap's pixels cannot be read");
  }
  return value;
}

}  // namespace hbsdk::ui::win32
