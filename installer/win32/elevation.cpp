// The elevation relaunch on Windows: ShellExecuteExW with the "runas" verb.
#include "installer/elevation.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace installer {

// GetModuleFileNameW cuts a path that does not fit its buffer and says so
// only by filling it: the buffer grows until the path fits.
std::u16string executable_path() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(GetModuleHandleW(nullptr), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
    }
    if (buffer.size() >= 32768) {
      return {};  // longer than any path Windows has
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool relaunch_elevated() {
  const std::u16string path = executable_path();
  if (path.empty()) {
    return false;
  }
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.lpVerb = L"runas";
  info.lpFile = reinterpret_cast<const wchar_t*>(path.c_str());
  info.lpParameters = L"/UAC";
  info.nShow = SW_SHOWDEFAULT;
  return ShellExecuteExW(&info) != FALSE;
}

}  // namespace installer
