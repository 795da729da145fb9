#pragma once
// A file below an open directory_handle, opened to be read, checked and
// perhaps removed, never through a link: the removal of an installation
// reads what it installed this way. Implemented per platform (posix/: openat
// with O_NOFOLLOW, unlinkat; win32/: NtCreateFile relative to the folder's
// handle with FILE_OPEN_REPARSE_POINT, removal through the open handle).
// Also the few other operations on names below an open directory that the
// removal and the installation record need.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hbsdk/filesystem/directory_handle.h"

namespace hbsdk::filesystem {

// What a file holds as the system describes it.
struct file_state {
  std::uint64_t size = 0;
  std::uint64_t last_write = 0;  // whole seconds since 1970 (UTC)
  bool read_only = false;        // no write permission for its owner (POSIX), the read-only attribute (Windows)
};

// How a removal below a directory ended.
enum class remove_result {
  removed,
  missing,    // nothing at the name
  link,       // a link stands at the name; it was left alone
  not_empty,  // a directory that still holds something
  failed,     // refused by the system (in use, no permission, ...)
};

class input_file {
public:
  input_file() = default;
  ~input_file();
  input_file(const input_file&) = delete;
  input_file& operator=(const input_file&) = delete;

  // Opens the plain file called name (one path component) inside folder for
  // reading. link when a symbolic link or other reparse point stands at the
  // name, or the file has other hard links; failed when nothing usable is
  // there (missing() then says whether the name is free). folder must stay
  // open while this file is, for remove().
  open_result open_in(const directory_handle& folder, std::u16string_view name);
  bool is_open() const noexcept { return handle_ != closed; }
  // After a failed open_in: true when nothing at all stood at the name.
  bool missing() const noexcept { return missing_; }

  std::optional<file_state> state() const;
  // Reads up to size bytes; the count read (0 at the end), or nothing on failure.
  std::optional<std::size_t> read(std::uint8_t* data, std::size_t size);

  // Removes the open file's name and closes it: on Windows through the open
  // handle itself; on POSIX by its name in the folder, only while that name
  // still leads to the file that was opened. A read-only file is refused
  // (failed), on every platform and for every user.
  remove_result remove();
  void close() noexcept;

private:
  static constexpr std::intptr_t closed = -1;
  std::intptr_t handle_ = closed;
  std::intptr_t folder_ = closed;  // POSIX: the folder's descriptor, borrowed
  std::u16string name_;            // POSIX: the name in that folder
  bool missing_ = false;
};

// Removes the empty directory called name inside parent; never through a link.
remove_result remove_directory_in(const directory_handle& parent, std::u16string_view name);

// Renames from to to, both names inside folder, replacing what stands at to
// (a link there is replaced itself, never followed). False on failure.
bool rename_in(const directory_handle& folder, std::u16string_view from, std::u16string_view to);

}  // namespace hbsdk::filesystem
