#pragma once
// The current user's Documents folder: the shell's personal folder on Windows,
// the XDG documents directory on Linux.

#include "hbsdk/filesystem/file_path.h"

namespace installer {

// The folder without a trailing separator, or the empty path when the
// platform cannot name one.
hbsdk::filesystem::file_path documents_folder();

}  // namespace installer
