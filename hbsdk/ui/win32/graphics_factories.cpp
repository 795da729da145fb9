#include "hbsdk/ui/win32/graphics_factories.h"

#include "hbsdk/ui/win32/com_error.h"
#include "hbsdk/ui/win32/system_library.h"

namespace hbsdk::ui::win32 {
namespace {

using d2d_create_factory = HRESULT WINAPI(D2D1_FACTORY_TYPE, REFIID, const D2D1_FACTORY_OPTIONS*, void**);
using write_create_factory = HRESULT WINAPI(DWRITE_FACTORY_TYPE, REFIID, IUnknown**);

const system_library& direct2d() {
  static const system_library library(L"d2d1.dll");
  return library;
}

const system_library& direct_write() {
  static const system_library library(L"dwrite.dll");
  return library;
}

}  // namespace

com_ptr<ID2D1Factory> create_d2d_factory() {
  constexpr const char* failure = "unable to create a d2d resource factory";
  auto* create = direct2d().function<d2d_create_factory>("D2D1CreateFactory");
  if (create == nullptr) {
    throw std::runtime_error(failure);
  }
  D2D1_FACTORY_OPTIONS options{};
  options.debugLevel = D2D1_DEBUG_LEVEL_NONE;
  com_ptr<ID2D1Factory> factory;
  check(create(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), &options, factory.put_void()), failure);
  return factory;
}

com_ptr<IDWriteFactory> create_write_factory() {
  constexpr const char* failure = "unable to create the write factory";
  auto* create = direct_write().function<write_create_factory>("DWriteCreateFactory");
  if (create == nullptr) {
    throw std::runtime_error(failure);
  }
  com_ptr<IDWriteFactory> factory;
  check(create(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
               reinterpret_cast<IUnknown**>(factory.put())),
        failure);
  return factory;
}

}  // namespace hbsdk::ui::win32
