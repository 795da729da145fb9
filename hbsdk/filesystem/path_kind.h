#pragma once
// What a path names, as far as the system will say: a folder, something else
// (a file, a device), or nothing that can be examined.

#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

enum class path_kind { unknown, folder, other };

// unknown when the path does not exist or its attributes cannot be read.
path_kind kind_of(const file_path& path);

}  // namespace hbsdk::filesystem
