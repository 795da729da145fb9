#include "installer/free_space.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#include <system_error>

#include "hbsdk/filesystem/std_path.h"
#endif

namespace installer {

std::optional<std::uint64_t> free_space(const hbsdk::filesystem::file_path& folder) {
#ifdef _WIN32
  // Asked of the folder itself, not its drive's root: a folder can be a
  // mount point of another volume.
  ULARGE_INTEGER available{};
  if (GetDiskFreeSpaceExW(reinterpret_cast<const wchar_t*>(folder.native()), &available, nullptr, nullptr) == FALSE) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(available.QuadPart);
#else
  std::error_code error;
  const auto info = std::filesystem::space(hbsdk::filesystem::to_std_path(folder), error);
  if (error) return std::nullopt;
  return static_cast<std::uint64_t>(info.available);
#endif
}

}  // namespace installer
