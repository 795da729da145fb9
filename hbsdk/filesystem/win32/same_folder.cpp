#include "hbsdk/filesystem/same_folder.h"

#include <windows.h>

#include <optional>

#include "hbsdk/filesystem/win32/win32_path.h"

namespace hbsdk::filesystem {
namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> identity(const file_path& path) {
  HANDLE folder = CreateFileW(to_win32(path), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool read = GetFileInformationByHandle(folder, &info) != 0;
  CloseHandle(folder);
  if (!read || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::nullopt;
  return info;
}

}  // namespace

bool same_folder(const file_path& left, const file_path& right) {
  const auto a = identity(left);
  const auto b = identity(right);
  return a && b && a->dwVolumeSerialNumber == b->dwVolumeSerialNumber && a->nFileIndexHigh == b->nFileIndexHigh &&
         a->nFileIndexLow == b->nFileIndexLow;
}

}  // namespace hbsdk::filesystem
