#pragma once
// A DLL of the system folder, loaded from System32 only. The program runs
// elevated from a downloads folder, where a planted DLL of the same name must
// never be loaded, so neither the program's folder nor the current folder is
// searched (and the DLL's own dependencies come from System32 as well).

#include "hbsdk/ui/non_copyable_non_moveable.h"

#include <windows.h>

namespace hbsdk::ui::win32 {

class system_library : non_copyable_non_moveable {
public:
  // name: the file name alone, such as L"d2d1.dll".
  explicit system_library(const wchar_t* name) noexcept;
  ~system_library();

  bool loaded() const noexcept { return module_ != nullptr; }
  // The exported function of that name, or null when the DLL is not loaded
  // or does not export it.
  template <class Function>
  Function* function(const char* name) const noexcept {
    // Through void (*)(), which converts to every function pointer type.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address_of(name)));
  }

private:
  FARPROC address_of(const char* name) const noexcept;

  HMODULE module_;
};

}  // namespace hbsdk::ui::win32
