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

namespace {

// The shell cannot start a program by a path of MAX_PATH characters or more;
// such a path is given in its short (8.3) form when the volume keeps one.
std::u16string launchable_path(const std::u16string& path) {
  if (path.size() < MAX_PATH) return path;
  const auto* wide = reinterpret_cast<const wchar_t*>(path.c_str());
  const DWORD needed = GetShortPathNameW(wide, nullptr, 0);
  if (needed == 0) return path;
  std::vector<wchar_t> buffer(needed);
  const DWORD length = GetShortPathNameW(wide, buffer.data(), needed);
  if (length == 0 || length >= needed) return path;
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
}

}  // namespace

relaunch_result relaunch_elevated(std::u16string_view parameters, bool wait) {
  const std::u16string path = launchable_path(executable_path());
  if (path.empty()) {
    return {};
  }
  const std::u16string text(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = wait ? SEE_MASK_NOCLOSEPROCESS : 0;
  info.lpVerb = L"runas";
  info.lpFile = reinterpret_cast<const wchar_t*>(path.c_str());
  info.lpParameters = reinterpret_cast<const wchar_t*>(text.c_str());
  info.nShow = SW_SHOWDEFAULT;
  if (ShellExecuteExW(&info) == FALSE) {
    relaunch_result result;
    result.outcome = GetLastError() == ERROR_CANCELLED ? relaunch_result::state::declined : relaunch_result::state::failed;
    return result;
  }
  relaunch_result result;
  result.outcome = relaunch_result::state::started;
  if (wait && info.hProcess != nullptr) {
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(info.hProcess, &code) == FALSE) code = 1603;
    CloseHandle(info.hProcess);
    result.exit_code = static_cast<int>(code);
  }
  return result;
}

}  // namespace installer
