#include "hbsdk/filesystem/path_kind.h"

#include <sys/stat.h>

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/filesystem/posix/posix_path.h"

namespace hbsdk::filesystem {
namespace {

path_kind kind_at(const std::string& posix_path) {
  struct stat info {};
  if (::stat(posix_path.c_str(), &info) != 0) return path_kind::unknown;
  return S_ISDIR(info.st_mode) ? path_kind::folder : path_kind::other;
}

}  // namespace

path_kind kind_of(const file_path& path) { return kind_at(to_posix(path)); }

path_kind kind_of_native(std::u16string_view native_path) { return kind_at(to_utf8(native_path)); }

}  // namespace hbsdk::filesystem
