#pragma once
// The file operations the extraction engine and the tools need, declared once
// and implemented per platform (win32/file_ops.cpp, posix/file_ops.cpp): one
// directory level, a binary output file, file times, and whether a path is
// absolute, by whole path or by name below an open directory_handle. Every
// call goes through a fault hook so tests can make it fail.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "hbsdk/filesystem/directory_handle.h"
#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

// True for a path that does not depend on the working directory or the
// current drive: "C:\x" or "\\server\share" on Windows, "\home\x" (that is
// /home/x) on POSIX systems.
bool is_absolute(const file_path& path);

// Creates one directory level. False when it was not created, including when
// it already exists.
bool create_directory(const file_path& path);

// Times in whole seconds since 1970-01-01 00:00:00 UTC.
struct file_times {
  std::uint64_t creation = 0;
  std::uint64_t last_write = 0;
  friend bool operator==(const file_times&, const file_times&) = default;
};

// Sets the creation and last-write times of an existing file and leaves its
// last-access time alone. POSIX systems cannot set a creation time: only the
// last-write time is set there. A time the platform cannot represent is left
// unchanged. False when the file could not be opened or stamped. Goes by
// name: extraction stamps through the handle of output_file instead.
bool stamp_file_times(const file_path& path, std::uint64_t creation, std::uint64_t last_write);

// The creation and last-write times of a file, or nothing when they cannot be
// read or lie before 1970. POSIX systems give the last-write time for both,
// because the creation time can be neither set nor relied upon there.
std::optional<file_times> read_file_times(const file_path& path);

// A file opened for writing in binary mode, created or truncated, with no
// sharing restriction. Writes go straight to the system: callers hand over
// whole chunks, so a buffer here would only add a copy. The destructor closes
// a file that is still open and ignores the result.
class output_file {
public:
  output_file() = default;
  ~output_file();
  output_file(const output_file&) = delete;
  output_file& operator=(const output_file&) = delete;

  bool open(const file_path& path);
  // Opens the file called name (one path component) inside folder the same
  // way, but never through a link: when a symbolic link or other reparse
  // point stands at name, or a file that has other hard links (its data is
  // also another file's), nothing is created, truncated or written (link).
  // The link count is read from the open handle before truncating, so a link
  // made later can only lead to this file. Anything there but a plain file
  // is failed.
  open_result open_in(const directory_handle& folder, std::u16string_view name);
  bool is_open() const noexcept { return handle_ != closed; }
  // Writes every byte; false on any failure (a full disk among them).
  bool write(const std::uint8_t* data, std::size_t size);
  // Sets the times of the open file as stamp_file_times does, through this
  // handle, so they land on the file written whatever stands at its name now.
  // Called after the last write; closing then keeps these times.
  bool stamp_times(std::uint64_t creation, std::uint64_t last_write);
  // Closes the file; false when the system reports a failure. A file that is
  // not open closes successfully.
  bool close();
  // Makes what was written durable (fsync, FlushFileBuffers); false on failure.
  bool sync();
  // The system's error number (errno, or GetLastError on Windows) of the last
  // open, write or close that failed, 0 when the system gave none (a refusal
  // of this class's own, or an injected fault).
  int last_error() const noexcept { return error_; }

private:
  static constexpr std::intptr_t closed = -1;
  std::intptr_t handle_ = closed;  // a file descriptor or a HANDLE
  int error_ = 0;
};

// Windows file time: 100-nanosecond units since 1601-01-01 UTC. Nothing when
// the result would not fit the signed 64-bit range the system accepts.
constexpr std::uint64_t windows_epoch_offset = 11'644'473'600;  // seconds from 1601 to 1970
constexpr std::uint64_t windows_ticks_per_second = 10'000'000;

constexpr std::optional<std::uint64_t> to_windows_file_time(std::uint64_t seconds) {
  constexpr std::uint64_t largest = 0x7FFF'FFFF'FFFF'FFFFull / windows_ticks_per_second - windows_epoch_offset;
  if (seconds > largest) return std::nullopt;
  return (seconds + windows_epoch_offset) * windows_ticks_per_second;
}

constexpr std::optional<std::uint64_t> from_windows_file_time(std::uint64_t ticks) {
  const std::uint64_t seconds = ticks / windows_ticks_per_second;
  if (seconds < windows_epoch_offset) return std::nullopt;
  return seconds - windows_epoch_offset;
}

// Test seam: when a hook is set, every operation asks it first and fails as
// the system would when it answers true. open_directory covers opening the
// target folder and every directory below it; create_directory makes a
// directory that open_child would create stay missing; read covers opening and
// reading an input_file, remove every removal, rename rename_in.
enum class file_op { create_directory, open_directory, open, write, close, stamp_times, read, remove, rename };
using file_op_fault = bool (*)(file_op op);

inline std::atomic<file_op_fault> file_op_fault_hook{nullptr};

inline void set_file_op_fault(file_op_fault hook) noexcept { file_op_fault_hook.store(hook); }

inline bool fault_injected(file_op op) noexcept {
  const file_op_fault hook = file_op_fault_hook.load(std::memory_order_relaxed);
  return hook != nullptr && hook(op);
}

}  // namespace hbsdk::filesystem
