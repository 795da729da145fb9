#pragma once
// The boundary between file_path and POSIX calls: file_path keeps backslashes
// and UTF-16, the system wants slashes and UTF-8. An absolute POSIX path
// ("/home/a") is held as "\home\a" and comes back unchanged.

#include <string>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

std::string to_posix(const file_path& path);
file_path from_posix(std::string_view path);

}  // namespace hbsdk::filesystem
