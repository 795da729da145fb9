#pragma once
// Whether the tests run under Wine (ntdll exports wine_get_version there),
// for the few checks where Wine is known to draw differently.

#include <windows.h>

namespace hb_test {

inline bool running_under_wine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace hb_test
