#pragma once
// A path as the people of the platform write it, for showing it: with
// backslashes on Windows, with slashes on POSIX systems. UTF-8.

#include <string>

#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

std::string display_text(const file_path& path);

}  // namespace hbsdk::filesystem
