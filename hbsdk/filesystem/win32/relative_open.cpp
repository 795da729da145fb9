#include "hbsdk/filesystem/win32/relative_open.h"

namespace hbsdk::filesystem {

BOOL file_information(HANDLE handle, FILE_INFO_BY_HANDLE_CLASS kind, void* buffer, DWORD size) {
  const file_information_call hook = file_information_hook.load(std::memory_order_relaxed);
  return hook != nullptr ? hook(handle, kind, buffer, size) : GetFileInformationByHandleEx(handle, kind, buffer, size);
}

relative_open open_relative(HANDLE folder, std::u16string_view name, ACCESS_MASK access, ULONG share,
                            ULONG disposition, ULONG options) {
  relative_open result;
  // A name is at most 32767 units (archive names are held to that), so its
  // byte length fits the 16-bit field.
  if (name.empty() || name.size() > 32767) return result;
  UNICODE_STRING text;
  text.Buffer = const_cast<PWSTR>(reinterpret_cast<const wchar_t*>(name.data()));
  text.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  text.MaximumLength = text.Length;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
  IO_STATUS_BLOCK status_block{};
  HANDLE handle = nullptr;
  const nt_create_file_call hook = nt_create_file_hook.load(std::memory_order_relaxed);
  const nt_create_file_call create = hook != nullptr ? hook : &NtCreateFile;
  const NTSTATUS status =
      create(&handle, access | SYNCHRONIZE, &attributes, &status_block, nullptr, FILE_ATTRIBUTE_NORMAL, share,
             disposition, options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (status < 0 || handle == nullptr) {  // a negative NTSTATUS is a failure
    // Kept as the thread's last error, in Win32 terms, for callers that report it.
    SetLastError(RtlNtStatusToDosError(status));
    return result;
  }
  result.handle = handle;
  result.created = status_block.Information == FILE_CREATED;
  return result;
}

bool is_reparse_point(HANDLE handle) {
  FILE_ATTRIBUTE_TAG_INFO tag_info{};
  if (file_information(handle, FileAttributeTagInfo, &tag_info, sizeof tag_info)) {
    return (tag_info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }
  // A file system without that information class still reports attributes.
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(handle, &info)) return (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  return true;
}

std::optional<unsigned long> link_count(HANDLE handle) {
  FILE_STANDARD_INFO standard{};
  if (!file_information(handle, FileStandardInfo, &standard, sizeof standard)) return std::nullopt;
  return standard.NumberOfLinks;
}

open_result failed_open_at(HANDLE folder, std::u16string_view name) {
  const relative_open look = open_relative(folder, name, FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN, 0);
  if (look.handle == INVALID_HANDLE_VALUE) return open_result::failed;
  const bool link = is_reparse_point(look.handle);
  CloseHandle(look.handle);
  return link ? open_result::link : open_result::failed;
}

}  // namespace hbsdk::filesystem
