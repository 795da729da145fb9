#include "installer/free_space.h"

#include <sys/statvfs.h>

#include <string>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/posix/posix_path.h"

namespace installer {

std::optional<std::uint64_t> free_space(const hbsdk::filesystem::file_path& folder) {
  if (!hbsdk::filesystem::is_absolute(folder)) return std::nullopt;
  std::string path = hbsdk::filesystem::to_posix(folder);
  while (true) {
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) == 0) {
      // f_bavail: the blocks an unprivileged user may still use.
      return static_cast<std::uint64_t>(info.f_bavail) * static_cast<std::uint64_t>(info.f_frsize);
    }
    if (path == "/") return std::nullopt;
    while (path.size() > 1 && path.back() == '/') path.pop_back();  // trailing slashes
    const std::size_t slash = path.rfind('/');
    path.resize(slash == 0 ? 1 : slash);
  }
}

}  // namespace installer
