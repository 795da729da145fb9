// File operations on Windows, on wide paths: CreateDirectoryW, CreateFileW +
// WriteFile for output, SetFileTime for the times (on the output file's own
// handle, or on one opened by path); below an open directory, NtCreateFile
// relative to its handle (relative_open.h) in place of CreateFileW.
#include "hbsdk/filesystem/file_ops.h"

#include <windows.h>

#include <cstdint>

#include "hbsdk/filesystem/win32/relative_open.h"
#include "hbsdk/filesystem/win32/win32_path.h"

namespace hbsdk::filesystem {
namespace {

FILETIME to_filetime(std::uint64_t ticks) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFF'FFFFu);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

std::uint64_t from_filetime(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

HANDLE to_handle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

bool is_drive_letter(char16_t unit) { return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z'); }

// Sets the times through an open handle.
bool stamp_handle(HANDLE file, std::uint64_t creation, std::uint64_t last_write) {
  // A time that does not fit a FILETIME is passed as null: that time stays unchanged.
  const auto creation_ticks = to_windows_file_time(creation);
  const auto last_write_ticks = to_windows_file_time(last_write);
  FILETIME creation_time = to_filetime(creation_ticks.value_or(0));
  FILETIME last_write_time = to_filetime(last_write_ticks.value_or(0));
  const BOOL stamped = SetFileTime(file, creation_ticks ? &creation_time : nullptr, nullptr,
                                   last_write_ticks ? &last_write_time : nullptr);
  return stamped != 0 && creation_ticks && last_write_ticks;
}

}  // namespace

bool is_absolute(const file_path& path) {
  const std::u16string& text = path.text();
  if (text.size() >= 2 && text[0] == u'\\' && text[1] == u'\\') return true;  // \\server\share, \\?\C:\x
  return text.size() >= 3 && is_drive_letter(text[0]) && text[1] == u':' && text[2] == u'\\';
}

bool create_directory(const file_path& path) {
  if (fault_injected(file_op::create_directory)) return false;
  return CreateDirectoryW(to_win32(path), nullptr) != 0;
}

bool stamp_file_times(const file_path& path, std::uint64_t creation, std::uint64_t last_write) {
  if (fault_injected(file_op::stamp_times)) return false;
  HANDLE file = CreateFileW(to_win32(path), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool stamped = stamp_handle(file, creation, last_write);
  CloseHandle(file);
  return stamped;
}

std::optional<file_times> read_file_times(const file_path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(to_win32(path), GetFileExInfoStandard, &data)) return std::nullopt;
  const auto creation = from_windows_file_time(from_filetime(data.ftCreationTime));
  const auto last_write = from_windows_file_time(from_filetime(data.ftLastWriteTime));
  if (!creation || !last_write) return std::nullopt;
  return file_times{*creation, *last_write};
}

output_file::~output_file() { (void)close(); }

bool output_file::open(const file_path& path) {
  (void)close();
  error_ = 0;
  if (fault_injected(file_op::open)) return false;
  HANDLE file = CreateFileW(to_win32(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error_ = static_cast<int>(GetLastError());
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return true;
}

open_result output_file::open_in(const directory_handle& folder, std::u16string_view name) {
  (void)close();
  error_ = 0;
  if (fault_injected(file_op::open)) return open_result::failed;
  if (!folder.is_open()) return open_result::failed;
  HANDLE parent = to_handle(folder.native());
  // Opened without truncating, so that a reparse point at the name (opened
  // itself, not followed) or a file with other links is refused before
  // anything changes; a plain file is then cut to length 0 through the same
  // handle.
  const relative_open file =
      open_relative(parent, name, GENERIC_WRITE | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN_IF, FILE_NON_DIRECTORY_FILE);
  if (file.handle == INVALID_HANDLE_VALUE) {
    error_ = static_cast<int>(GetLastError());
    return failed_open_at(parent, name);
  }
  // A file with other hard links shares its data with a file elsewhere: it
  // is refused like a reparse point. Read from this handle, the count cannot
  // be raised later by a link to anything but this file.
  const std::optional<unsigned long> links = link_count(file.handle);
  if (is_reparse_point(file.handle) || (links && *links > 1)) {
    CloseHandle(file.handle);
    return open_result::link;
  }
  if (!links) {
    CloseHandle(file.handle);
    return open_result::failed;
  }
  if (!file.created) {
    // CREATE_ALWAYS refuses an existing hidden or system file; so does this.
    FILE_BASIC_INFO basic{};
    FILE_END_OF_FILE_INFO end{};
    if (!file_information(file.handle, FileBasicInfo, &basic, sizeof basic) ||
        (basic.FileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 ||
        !SetFileInformationByHandle(file.handle, FileEndOfFileInfo, &end, sizeof end)) {
      CloseHandle(file.handle);
      return open_result::failed;
    }
  }
  handle_ = reinterpret_cast<std::intptr_t>(file.handle);
  return open_result::opened;
}

bool output_file::write(const std::uint8_t* data, std::size_t size) {
  error_ = 0;
  if (!is_open()) return false;
  if (fault_injected(file_op::write)) return false;
  constexpr std::size_t largest_call = 1u << 30;  // WriteFile takes a 32-bit count
  while (size > 0) {
    const DWORD wanted = static_cast<DWORD>(size < largest_call ? size : largest_call);
    DWORD written = 0;
    if (!WriteFile(to_handle(handle_), data, wanted, &written, nullptr)) {
      error_ = static_cast<int>(GetLastError());
      return false;
    }
    if (written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool output_file::stamp_times(std::uint64_t creation, std::uint64_t last_write) {
  if (!is_open()) return false;
  if (fault_injected(file_op::stamp_times)) return false;
  // Times set on a handle are kept when it closes: its writes do not change them again.
  return stamp_handle(to_handle(handle_), creation, last_write);
}

bool output_file::sync() {
  if (!is_open()) return false;
  if (FlushFileBuffers(to_handle(handle_))) return true;
  error_ = static_cast<int>(GetLastError());
  return false;
}

bool output_file::close() {
  if (!is_open()) return true;
  HANDLE file = to_handle(handle_);
  handle_ = closed;
  const bool closed_ok = CloseHandle(file) != 0;
  error_ = closed_ok ? 0 : static_cast<int>(GetLastError());
  return closed_ok && !fault_injected(file_op::close);
}

}  // namespace hbsdk::filesystem
