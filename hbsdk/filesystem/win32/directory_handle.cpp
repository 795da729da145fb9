// Directories on Windows: the target folder opened with CreateFileW and
// FILE_FLAG_BACKUP_SEMANTICS, every directory below it with NtCreateFile
// relative to its parent's handle (relative_open.h), which makes a missing
// directory and opens an existing one in one call and opens a reparse point
// at the name itself, so that it can be refused by its attributes.
#include "hbsdk/filesystem/directory_handle.h"

#include <windows.h>
#include <winternl.h>

#include <utility>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/win32/relative_open.h"
#include "hbsdk/filesystem/win32/win32_path.h"

namespace hbsdk::filesystem {
namespace {

// Enough to look names up below the directory and to read its attributes.
constexpr ACCESS_MASK directory_access = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr ULONG share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE to_handle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

}  // namespace

directory_handle::~directory_handle() { close(); }

directory_handle::directory_handle(directory_handle&& other) noexcept
    : handle_(std::exchange(other.handle_, closed)) {}

directory_handle& directory_handle::operator=(directory_handle&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, closed);
  }
  return *this;
}

void directory_handle::close() noexcept {
  if (is_open()) CloseHandle(to_handle(handle_));
  handle_ = closed;
}

bool directory_handle::open(const file_path& path) {
  close();
  if (fault_injected(file_op::open_directory)) return false;
  HANDLE handle = CreateFileW(to_win32(path), directory_access, share_all, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  return true;
}

open_result directory_handle::open_child(const directory_handle& parent, std::u16string_view name, bool create,
                                         bool* created) {
  close();
  if (created != nullptr) *created = false;
  if (!parent.is_open()) return open_result::failed;
  HANDLE folder = to_handle(parent.native());
  const ULONG disposition = create && !fault_injected(file_op::create_directory) ? FILE_OPEN_IF : FILE_OPEN;
  if (fault_injected(file_op::open_directory)) return open_result::failed;
  const relative_open child = open_relative(folder, name, directory_access, share_all, disposition, FILE_DIRECTORY_FILE);
  if (child.handle == INVALID_HANDLE_VALUE) return failed_open_at(folder, name);
  if (is_reparse_point(child.handle)) {
    CloseHandle(child.handle);
    return open_result::link;
  }
  handle_ = reinterpret_cast<std::intptr_t>(child.handle);
  if (created != nullptr) *created = child.created;
  return open_result::opened;
}

}  // namespace hbsdk::filesystem
