#pragma once
// Whether two paths lead to one and the same existing folder, however they
// are spelled (case, trailing separators, links on the way): the system's
// identity of each folder is compared (device and inode on POSIX systems,
// volume serial number and file index on Windows).

#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

// False when either folder cannot be opened.
bool same_folder(const file_path& left, const file_path& right);

}  // namespace hbsdk::filesystem
