#include "hbsdk/filesystem/posix/posix_path.h"

#include <algorithm>

namespace hbsdk::filesystem {

std::string to_posix(const file_path& path) {
  std::string text = path.to_utf8();
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

file_path from_posix(std::string_view path) { return file_path(path); }

}  // namespace hbsdk::filesystem
