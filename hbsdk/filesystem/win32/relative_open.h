#pragma once
// Opens below an open directory on Windows: NtCreateFile with the directory's
// handle as RootDirectory and one path component as the name, so that the
// lookup starts from that very directory. FILE_OPEN_REPARSE_POINT opens a
// symbolic link, junction or other reparse point itself instead of what it
// leads to, and the attributes read from the handle then show it.

#include <windows.h>

#include <string_view>

#include "hbsdk/filesystem/directory_handle.h"

namespace hbsdk::filesystem {

struct relative_open {
  HANDLE handle = INVALID_HANDLE_VALUE;  // INVALID_HANDLE_VALUE when the open failed
  bool created = false;                  // the file or directory did not exist before
};

// NtCreateFile(folder \ name) with FILE_OPEN_REPARSE_POINT and synchronous
// I/O added to options, case-insensitive like every Win32 open.
relative_open open_relative(HANDLE folder, std::u16string_view name, ACCESS_MASK access, ULONG share,
                            ULONG disposition, ULONG options);

// Whether the open handle is a reparse point, by FileAttributeTagInfo or, on
// a file system without it, the handle's attributes; a handle whose
// attributes cannot be read at all counts as one.
bool is_reparse_point(HANDLE handle);

// After an open below folder failed: link when a reparse point stands at the
// name, failed otherwise. Only reads its attributes, never follows it.
open_result failed_open_at(HANDLE folder, std::u16string_view name);

}  // namespace hbsdk::filesystem
