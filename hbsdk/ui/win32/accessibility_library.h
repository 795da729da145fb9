#pragma once
// The calls of oleacc.dll and oleaut32.dll that the accessible object needs,
// taken from System32 at run time: the installer runs elevated from a
// downloads folder, and oleacc.dll is not one of the DLLs the loader always
// takes from System32, so it is never imported. Each call fails with
// E_NOTIMPL (or gives none) when its DLL cannot be loaded.

#include <oleacc.h>
#include <windows.h>

namespace hbsdk::ui::win32 {

// LresultFromObject.
LRESULT lresult_from_object(REFIID riid, WPARAM wparam, IUnknown* object) noexcept;
// AccessibleObjectFromWindow.
HRESULT accessible_object_from_window(HWND window, DWORD object_id, REFIID riid, void** object) noexcept;
// SysAllocStringLen; null when out of memory or unavailable.
BSTR allocate_string(const OLECHAR* text, UINT length) noexcept;

}  // namespace hbsdk::ui::win32
