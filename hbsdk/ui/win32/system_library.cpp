#include "hbsdk/ui/win32/system_library.h"

namespace hbsdk::ui::win32 {

system_library::system_library(const wchar_t* name) noexcept
    : module_(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

system_library::~system_library() {
  if (module_ != nullptr) {
    FreeLibrary(module_);
  }
}

FARPROC system_library::address_of(const char* name) const noexcept {
  return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
}

}  // namespace hbsdk::ui::win32
