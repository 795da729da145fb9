#include "hbsdk/filesystem/path_kind.h"

#include <windows.h>

#include "hbsdk/filesystem/win32/win32_path.h"

namespace hbsdk::filesystem {

path_kind kind_of(const file_path& path) {
  const DWORD attributes = GetFileAttributesW(to_win32(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return path_kind::unknown;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? path_kind::folder : path_kind::other;
}

path_kind kind_of_native(std::u16string_view native_path) { return kind_of(file_path(native_path)); }

}  // namespace hbsdk::filesystem
