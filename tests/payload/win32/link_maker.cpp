// Links on Windows: symbolic links with CreateSymbolicLinkW (unprivileged
// creation needs developer mode), junctions by writing a mount-point reparse
// point with FSCTL_SET_REPARSE_POINT (no privilege needed), hard links with
// CreateHardLinkW. Under Wine 8 only hard links exist: CreateSymbolicLinkW is
// a stub that reports success and makes nothing, and FSCTL_SET_REPARSE_POINT
// fails with ERROR_NOT_SUPPORTED.
#include "link_maker.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

namespace payload_test {
namespace {

std::wstring native_text(const std::filesystem::path& path) { return path.lexically_normal().make_preferred().wstring(); }

bool is_reparse_point(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(native_text(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::string error_text(const char* call) { return std::string(call) + " failed with error " + std::to_string(GetLastError()); }

template <typename T>
void put(std::vector<char>& buffer, std::size_t at, T value) {
  std::memcpy(buffer.data() + at, &value, sizeof value);
}

bool make_junction(const std::filesystem::path& at, const std::filesystem::path& to, std::string& why_not) {
  if (!CreateDirectoryW(native_text(at).c_str(), nullptr)) {
    why_not = error_text("CreateDirectoryW");
    return false;
  }
  HANDLE folder = CreateFileW(native_text(at).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) {
    why_not = error_text("CreateFileW");
    return false;
  }
  // REPARSE_DATA_BUFFER for a mount point: tag, data length, reserved, then
  // the substitute name (\??\C:\...) and the print name, each zero-terminated.
  const std::wstring print = native_text(to);
  const std::wstring substitute = L"\\??\\" + print;
  const auto substitute_bytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
  const auto print_bytes = static_cast<USHORT>(print.size() * sizeof(wchar_t));
  const auto data_length = static_cast<USHORT>(8 + substitute_bytes + 2 + print_bytes + 2);
  std::vector<char> buffer(8 + data_length, 0);
  put<DWORD>(buffer, 0, IO_REPARSE_TAG_MOUNT_POINT);
  put<USHORT>(buffer, 4, data_length);
  put<USHORT>(buffer, 8, 0);
  put<USHORT>(buffer, 10, substitute_bytes);
  put<USHORT>(buffer, 12, static_cast<USHORT>(substitute_bytes + 2));
  put<USHORT>(buffer, 14, print_bytes);
  std::memcpy(buffer.data() + 16, substitute.c_str(), substitute_bytes);
  std::memcpy(buffer.data() + 16 + substitute_bytes + 2, print.c_str(), print_bytes);
  DWORD returned = 0;
  const BOOL set = DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                   nullptr, 0, &returned, nullptr);
  if (!set) why_not = error_text("FSCTL_SET_REPARSE_POINT");
  CloseHandle(folder);
  if (!set) RemoveDirectoryW(native_text(at).c_str());
  return set != 0;
}

}  // namespace

const char* link_kind_name(link_kind kind) {
  switch (kind) {
    case link_kind::directory_symlink: return "symbolic link to a directory";
    case link_kind::file_symlink: return "symbolic link to a file";
    case link_kind::junction: return "junction";
    case link_kind::hard_link: return "hard link";
  }
  return "link";
}

bool make_link(link_kind kind, const std::filesystem::path& at, const std::filesystem::path& to,
               std::string& why_not) {
  if (kind == link_kind::junction) return make_junction(at, to, why_not);
  if (kind == link_kind::hard_link) {
    if (!CreateHardLinkW(native_text(at).c_str(), native_text(to).c_str(), nullptr)) {
      why_not = error_text("CreateHardLinkW");
      return false;
    }
    return true;
  }
  constexpr DWORD unprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  const DWORD flags = (kind == link_kind::directory_symlink ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | unprivileged;
  if (!CreateSymbolicLinkW(native_text(at).c_str(), native_text(to).c_str(), flags)) {
    why_not = error_text("CreateSymbolicLinkW");
    return false;
  }
  if (!is_reparse_point(at)) {
    why_not = "CreateSymbolicLinkW reported success but no link stands there (Wine's stub)";
    return false;
  }
  return true;
}

}  // namespace payload_test
