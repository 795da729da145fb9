#pragma once
// An open directory that names are looked up from, one level at a time, so
// that what is reached below it cannot depend on the path that led to it.
// Extraction walks below its target folder with it: a directory or file is
// entered, created or overwritten only when no symbolic link, junction or
// other reparse point stands at its name, and a link swapped in for a folder
// that is already open cannot redirect it. Implemented per platform
// (posix/: openat with O_NOFOLLOW from the parent's descriptor; win32/:
// NtCreateFile relative to the parent's handle with FILE_OPEN_REPARSE_POINT).

#include <cstdint>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

// What an open below a directory_handle found at the name.
enum class open_result {
  opened,
  failed,  // nothing usable there: missing, of the wrong kind, or refused by the system
  link,    // a symbolic link, junction or other reparse point; nothing was done through it
};

class directory_handle {
public:
  directory_handle() = default;
  ~directory_handle();
  directory_handle(directory_handle&& other) noexcept;
  directory_handle& operator=(directory_handle&& other) noexcept;
  directory_handle(const directory_handle&) = delete;
  directory_handle& operator=(const directory_handle&) = delete;

  // Opens a folder by its whole path. Links on the way are followed: a
  // target folder reached through a link is the folder it leads to.
  bool open(const file_path& path);

  // Opens the directory called name (one path component, no separator)
  // inside parent, creating it first when create is true and nothing stands
  // there. A link at name is never followed, and nothing is created through it.
  // When created is given, it tells whether this call made the directory.
  open_result open_child(const directory_handle& parent, std::u16string_view name, bool create,
                         bool* created = nullptr);

  bool is_open() const noexcept { return handle_ != closed; }
  void close() noexcept;

  // The descriptor or HANDLE, for the platform's other file operations.
  std::intptr_t native() const noexcept { return handle_; }

private:
  static constexpr std::intptr_t closed = -1;
  std::intptr_t handle_ = closed;
};

}  // namespace hbsdk::filesystem
