#include "installer/free_space.h"

#include <windows.h>

#include <string>

#include "hbsdk/filesystem/file_ops.h"

namespace installer {

std::optional<std::uint64_t> free_space(const hbsdk::filesystem::file_path& folder) {
  if (!hbsdk::filesystem::is_absolute(folder)) return std::nullopt;
  std::u16string path = folder.text();
  while (true) {
    ULARGE_INTEGER available{};
    // With a trailing backslash, so that a drive root or share names the directory.
    std::u16string asked = path;
    if (asked.back() != u'\\') asked.push_back(u'\\');
    if (GetDiskFreeSpaceExW(reinterpret_cast<const wchar_t*>(asked.c_str()), &available, nullptr, nullptr)) {
      return available.QuadPart;  // what the calling user may still use
    }
    while (!path.empty() && path.back() == u'\\') path.pop_back();
    const std::size_t split = path.rfind(u'\\');
    // "C:" and "\\server" have been tried last: nothing above them to measure.
    if (split == std::u16string::npos || split < 2) return std::nullopt;
    path.resize(split);
  }
}

}  // namespace installer
