#pragma once
// Shared by the POSIX calls that work below an open directory: a name is one
// path component, given to the *at calls as UTF-8.

#include <fcntl.h>
#include <sys/stat.h>

#include <string>
#include <string_view>

#include "hbsdk/filesystem/directory_handle.h"
#include "hbsdk/filesystem/encoding.h"

namespace hbsdk::filesystem {

inline std::string relative_name(std::u16string_view name) { return to_utf8(name); }

// After an open below folder failed: link when a symbolic link stands at the
// name (the open refused it), failed otherwise. Only looks, never follows.
inline open_result failed_open_at(int folder, const std::string& name) {
  struct stat info {};
  if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode)) {
    return open_result::link;
  }
  return open_result::failed;
}

}  // namespace hbsdk::filesystem
