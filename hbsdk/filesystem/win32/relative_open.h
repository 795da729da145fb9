#pragma once
// Opens below an open directory on Windows: NtCreateFile with the directory's
// handle as RootDirectory and one path component as the name, so that the
// lookup starts from that very directory. FILE_OPEN_REPARSE_POINT opens a
// symbolic link, junction or other reparse point itself instead of what it
// leads to, and the attributes read from the handle then show it.

#include <windows.h>
#include <winternl.h>

#include <atomic>
#include <optional>
#include <string_view>

#include "hbsdk/filesystem/directory_handle.h"

namespace hbsdk::filesystem {

// Test seam for the system calls the opens and link checks below rest on:
// NtCreateFile, and GetFileInformationByHandleEx for the attributes and the
// link count. When a hook is set it is called in place of the system's own,
// so that tests under Wine, which makes no symbolic links or junctions, can
// answer as a system with links would.
using nt_create_file_call = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                             PLARGE_INTEGER, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
using file_information_call = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);

inline std::atomic<nt_create_file_call> nt_create_file_hook{nullptr};
inline std::atomic<file_information_call> file_information_hook{nullptr};

inline void set_link_check_calls(nt_create_file_call create, file_information_call information) noexcept {
  nt_create_file_hook.store(create);
  file_information_hook.store(information);
}

// GetFileInformationByHandleEx, or the hook in its place.
BOOL file_information(HANDLE handle, FILE_INFO_BY_HANDLE_CLASS kind, void* buffer, DWORD size);

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

// The number of names (hard links) the open file has, from
// FileStandardInfo; nothing when it cannot be read.
std::optional<unsigned long> link_count(HANDLE handle);

// After an open below folder failed: link when a reparse point stands at the
// name, failed otherwise. Only reads its attributes, never follows it.
open_result failed_open_at(HANDLE folder, std::u16string_view name);

}  // namespace hbsdk::filesystem
