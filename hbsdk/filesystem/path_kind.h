#pragma once
// What a path names, as far as the system will say: a folder, something else
// (a file, a device), or nothing that can be examined.

#include "hbsdk/filesystem/file_path.h"

#include <string_view>

namespace hbsdk::filesystem {

enum class path_kind { unknown, folder, other };

// unknown when the path does not exist or its attributes cannot be read.
path_kind kind_of(const file_path& path);
// The same for a path spelled as the system spells it, up to its first zero
// unit. On POSIX the text is used as it is: "/" separates and "\" is part of
// a name. On Windows either slash separates.
path_kind kind_of_native(std::u16string_view native_path);

}  // namespace hbsdk::filesystem
