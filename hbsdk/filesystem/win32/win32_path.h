#pragma once
// The boundary between file_path and Win32 calls: on Windows wchar_t is a
// UTF-16 unit, so the stored text is handed over as it is.

#include <string_view>

#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* to_win32(const file_path& path) noexcept {
  return reinterpret_cast<const wchar_t*>(path.native());
}

inline file_path from_win32(const wchar_t* text) {
  return file_path(reinterpret_cast<const char16_t*>(text));
}

}  // namespace hbsdk::filesystem
