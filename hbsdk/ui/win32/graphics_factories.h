#pragma once
// The Direct2D and DirectWrite factories, made through the functions their
// DLLs export: d2d1.dll and dwrite.dll are loaded from System32 only
// (system_library.h) on first use and stay loaded while the process lives.
// No import library of either is linked.

#include "hbsdk/ui/win32/com_ptr.h"

#include <d2d1.h>
#include <dwrite.h>

namespace hbsdk::ui::win32 {

// A single-threaded factory without the debug layer. Raises
// "unable to create a d2d resource factory".
com_ptr<ID2D1Factory> create_d2d_factory();
// The shared factory. Raises "unable to create the write factory".
com_ptr<IDWriteFactory> create_write_factory();

}  // namespace hbsdk::ui::win32
