#include "hbsdk/ui/win32/accessibility_library.h"

#include "hbsdk/ui/win32/system_library.h"

namespace hbsdk::ui::win32 {
namespace {

using lresult_from_object_call = LRESULT WINAPI(REFIID, WPARAM, LPUNKNOWN);
using object_from_window_call = HRESULT WINAPI(HWND, DWORD, REFIID, void**);
using allocate_string_call = BSTR WINAPI(const OLECHAR*, UINT);

const system_library& oleacc() {
  static const system_library library(L"oleacc.dll");
  return library;
}

const system_library& oleaut() {
  static const system_library library(L"oleaut32.dll");
  return library;
}

}  // namespace

LRESULT lresult_from_object(REFIID riid, WPARAM wparam, IUnknown* object) noexcept {
  auto* call = oleacc().function<lresult_from_object_call>("LresultFromObject");
  return call != nullptr ? call(riid, wparam, object) : static_cast<LRESULT>(E_NOTIMPL);
}

HRESULT accessible_object_from_window(HWND window, DWORD object_id, REFIID riid, void** object) noexcept {
  auto* call = oleacc().function<object_from_window_call>("AccessibleObjectFromWindow");
  return call != nullptr ? call(window, object_id, riid, object) : E_NOTIMPL;
}

BSTR allocate_string(const OLECHAR* text, UINT length) noexcept {
  auto* call = oleaut().function<allocate_string_call>("SysAllocStringLen");
  return call != nullptr ? call(text, length) : nullptr;
}

}  // namespace hbsdk::ui::win32
