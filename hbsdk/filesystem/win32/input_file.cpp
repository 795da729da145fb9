// Input files and removals on Windows: NtCreateFile relative to the folder's
// handle (relative_open.h), which opens a reparse point at the name itself so
// that it can be refused by its attributes; removal marks the open handle
// for deletion (FileDispositionInfo), so what is removed is the very file
// that was opened and checked; a rename through FileRenameInfo with the
// folder's handle as the root of the new name.
#include "hbsdk/filesystem/input_file.h"

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <vector>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/win32/relative_open.h"

namespace hbsdk::filesystem {
namespace {

HANDLE to_handle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// Others may read the file while it is checked; a file another program has
// open for writing or without leave to delete it is in use, and the open fails.
constexpr ULONG share_read_delete = FILE_SHARE_READ | FILE_SHARE_DELETE;
constexpr ULONG share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool mark_for_deletion(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// Wine does not rename through FileRenameInfo: the same rename by whole
// paths below the folder's own path, as the system names the open folder.
bool rename_by_folder_path(HANDLE folder, std::u16string_view from, std::u16string_view to) {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()), 0);
    if (length == 0) return false;
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(length + 1);
  }
  std::wstring base(path.begin(), path.end());
  if (!base.empty() && base.back() != L'\\') base.push_back(L'\\');
  const std::wstring source = base + std::wstring(from.begin(), from.end());
  const std::wstring target = base + std::wstring(to.begin(), to.end());
  return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

input_file::~input_file() { close(); }

void input_file::close() noexcept {
  if (is_open()) CloseHandle(to_handle(handle_));
  handle_ = closed;
}

open_result input_file::open_in(const directory_handle& folder, std::u16string_view name) {
  close();
  missing_ = false;
  if (fault_injected(file_op::read) || !folder.is_open()) return open_result::failed;
  HANDLE parent = to_handle(folder.native());
  const relative_open file = open_relative(parent, name, GENERIC_READ | DELETE | FILE_READ_ATTRIBUTES,
                                           share_read_delete, FILE_OPEN, FILE_NON_DIRECTORY_FILE);
  if (file.handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    missing_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return failed_open_at(parent, name);
  }
  const std::optional<unsigned long> links = link_count(file.handle);
  if (is_reparse_point(file.handle) || (links && *links > 1)) {
    CloseHandle(file.handle);
    return open_result::link;
  }
  if (!links) {
    CloseHandle(file.handle);
    return open_result::failed;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file.handle);
  return open_result::opened;
}

std::optional<file_state> input_file::state() const {
  if (!is_open()) return std::nullopt;
  FILE_BASIC_INFO basic{};
  FILE_STANDARD_INFO standard{};
  if (!file_information(to_handle(handle_), FileBasicInfo, &basic, sizeof basic) ||
      !file_information(to_handle(handle_), FileStandardInfo, &standard, sizeof standard)) {
    return std::nullopt;
  }
  const auto seconds = from_windows_file_time(static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart));
  if (!seconds || standard.EndOfFile.QuadPart < 0) return std::nullopt;
  file_state state;
  state.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  state.last_write = *seconds;
  state.read_only = (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return state;
}

std::optional<std::size_t> input_file::read(std::uint8_t* data, std::size_t size) {
  if (!is_open() || fault_injected(file_op::read)) return std::nullopt;
  constexpr std::size_t largest_call = 1u << 30;
  DWORD count = 0;
  if (!ReadFile(to_handle(handle_), data, static_cast<DWORD>(size < largest_call ? size : largest_call), &count,
                nullptr)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(count);
}

remove_result input_file::remove() {
  if (!is_open()) return remove_result::failed;
  const auto now = state();
  // A read-only file is kept: the system would refuse it too.
  const bool removed = now && !now->read_only && !fault_injected(file_op::remove) && mark_for_deletion(to_handle(handle_));
  close();  // the name goes with the last handle
  return removed ? remove_result::removed : remove_result::failed;
}

remove_result remove_directory_in(const directory_handle& parent, std::u16string_view name) {
  if (!parent.is_open() || fault_injected(file_op::remove)) return remove_result::failed;
  HANDLE folder = to_handle(parent.native());
  const relative_open child = open_relative(folder, name, DELETE | FILE_READ_ATTRIBUTES, share_all, FILE_OPEN,
                                            FILE_DIRECTORY_FILE);
  if (child.handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return remove_result::missing;
    return failed_open_at(folder, name) == open_result::link ? remove_result::link : remove_result::failed;
  }
  remove_result result = remove_result::removed;
  if (is_reparse_point(child.handle)) {
    result = remove_result::link;
  } else if (!mark_for_deletion(child.handle)) {
    result = GetLastError() == ERROR_DIR_NOT_EMPTY ? remove_result::not_empty : remove_result::failed;
  }
  CloseHandle(child.handle);
  return result;
}

bool rename_in(const directory_handle& folder, std::u16string_view from, std::u16string_view to) {
  if (!folder.is_open() || fault_injected(file_op::rename) || to.empty() || to.size() > 32767) return false;
  HANDLE parent = to_handle(folder.native());
  const relative_open file = open_relative(parent, from, DELETE | FILE_READ_ATTRIBUTES, share_all, FILE_OPEN,
                                           FILE_NON_DIRECTORY_FILE);
  if (file.handle == INVALID_HANDLE_VALUE) return false;
  // FILE_RENAME_INFO ends in the new name; the structure is sized for it.
  std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + to.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = parent;
  info->FileNameLength = static_cast<DWORD>(to.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, to.data(), to.size() * sizeof(wchar_t));
  if (is_reparse_point(file.handle)) {
    CloseHandle(file.handle);
    return false;
  }
  const bool renamed =
      SetFileInformationByHandle(file.handle, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != 0;
  CloseHandle(file.handle);
  return renamed || rename_by_folder_path(parent, from, to);
}

}  // namespace hbsdk::filesystem
