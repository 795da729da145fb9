// PNG decoding with the Windows Imaging Component: the decoder's first frame
// goes through a format converter to 32-bit premultiplied BGRA and a Fant
// scaler to the drawn size, and is cached as one WIC bitmap.
#include "hbsdk/ui/image_decoder.h"
#include "hbsdk/ui/win32/wic_decoded_image.h"

#include <objbase.h>

#include <stdexcept>

namespace hbsdk::ui {
namespace {

// The imaging factory's class and interface ids, spelled out so no import
// library is needed for them.
constexpr CLSID imaging_factory_class = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr IID imaging_factory_interface = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
constexpr GUID premultiplied_bgra = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x10}};

}  // namespace

std::unique_ptr<decoded_image> decode_image(const unsigned char* bytes, std::size_t count, float scale) {
  using win32::com_ptr;
  // COM stays initialised while the picture lives; RPC_E_CHANGED_MODE means
  // the thread has COM in another mode already (OLE for the drop target).
  const HRESULT com_result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  struct com_guard {
    HRESULT result;
    bool keep = false;
    ~com_guard() {
      if (!keep && result != RPC_E_CHANGED_MODE && SUCCEEDED(result)) CoUninitialize();
    }
  } guard{com_result};

  com_ptr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(imaging_factory_class, nullptr, CLSCTX_INPROC_SERVER, imaging_factory_interface,
                              factory.put_void()))) {
    return nullptr;
  }
  if (count > 0xFFFFFFFFu) {
    return nullptr;
  }
  com_ptr<IWICStream> stream;
  com_ptr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(count))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.put()))) {
    return nullptr;
  }
  com_ptr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.put()))) {
    return nullptr;
  }
  com_ptr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.put()))) {
    return nullptr;
  }
  UINT source_width = 0;
  UINT source_height = 0;
  com_ptr<IWICBitmapScaler> scaler;
  com_ptr<IWICBitmap> bitmap;
  if (FAILED(converter->Initialize(frame.get(), premultiplied_bgra, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeMedianCut)) ||
      FAILED(frame->GetSize(&source_width, &source_height))) {
    return nullptr;
  }
  const std::int32_t width = scaled_side(source_width, scale);
  const std::int32_t height = scaled_side(source_height, scale);
  if (width == 0 || height == 0) {
    return nullptr;
  }
  // The pixels are decoded here, so a picture cut short fails now, not
  // later when it is drawn.
  if (FAILED(factory->CreateBitmapScaler(scaler.put())) ||
      FAILED(scaler->Initialize(converter.get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                WICBitmapInterpolationModeFant)) ||
      FAILED(factory->CreateBitmapFromSource(scaler.get(), WICBitmapCacheOnLoad, bitmap.put()))) {
    return nullptr;
  }
  guard.keep = true;
  return std::make_unique<win32::wic_decoded_image>(com_result, std::move(factory), std::move(bitmap));
}

namespace win32 {

wic_decoded_image::wic_decoded_image(HRESULT com_result, com_ptr<IWICImagingFactory> factory,
                                     com_ptr<IWICBitmap> bitmap)
    : com_result_(com_result), factory_(std::move(factory)), bitmap_(std::move(bitmap)) {
  UINT w = 0;
  UINT h = 0;
  if (bitmap_ && SUCCEEDED(bitmap_->GetSize(&w, &h))) {
    width_ = static_cast<std::int32_t>(w);
    height_ = static_cast<std::int32_t>(h);
  }
}

wic_decoded_image::~wic_decoded_image() {
  bitmap_.reset();
  factory_.reset();
  if (com_result_ != RPC_E_CHANGED_MODE && SUCCEEDED(com_result_)) {
    CoUninitialize();
  }
}

std::uint32_t wic_decoded_image::pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("pixel outside the picture");
  }
  const WICRect one{x, y, 1, 1};
  BYTE bgra[4] = {};
  if (FAILED(bitmap_->CopyPixels(&one, 4, 4, bgra))) {
    throw std::runtime_error("the picture's pixels cannot be read");
  }
  return static_cast<std::uint32_t>(bgra[0]) | (static_cast<std::uint32_t>(bgra[1]) << 8) |
         (static_cast<std::uint32_t>(bgra[2]) << 16) | (static_cast<std::uint32_t>(bgra[3]) << 24);
}

}  // namespace win32
}  // namespace hbsdk::ui
