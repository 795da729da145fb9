#include "hbsdk/filesystem/path_kind.h"

#include <sys/stat.h>

#include "hbsdk/filesystem/posix/posix_path.h"

namespace hbsdk::filesystem {

path_kind kind_of(const file_path& path) {
  struct stat info {};
  if (::stat(to_posix(path).c_str(), &info) != 0) return path_kind::unknown;
  return S_ISDIR(info.st_mode) ? path_kind::folder : path_kind::other;
}

}  // namespace hbsdk::filesystem
