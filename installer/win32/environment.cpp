// Environment variables on Windows, read whole: GetEnvironmentVariableW reports
// the size it needs when the buffer is too small, and the read is repeated
// with that size.
#include "installer/environment.h"

#include <windows.h>

#include <vector>

namespace installer {

std::optional<std::u16string> environment_variable(std::u16string_view name) {
  const std::u16string variable(name);
  const auto* wide_name = reinterpret_cast<const wchar_t*>(variable.c_str());
  std::vector<wchar_t> buffer(500);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD count = GetEnvironmentVariableW(wide_name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (count == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::u16string();
    }
    if (count < buffer.size()) {
      return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), count);
    }
    // Too small: count is the size needed, terminating zero included. The
    // value may change between the calls, so ask again until it fits.
    buffer.assign(count, L'\0');
  }
}

}  // namespace installer
