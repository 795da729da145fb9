// Registration on Windows: the uninstaller written beside the record from
// resource 201 of this executable, and the system's uninstall entry naming
// it. Removing it: the entry, then the uninstaller and its folder. A running
// program's file cannot be deleted on Windows, and the uninstaller that does
// this is running (twice: the first instance waits for the elevated one, so
// that a management tool gets the exit code). A running program's file can
// be moved on its volume, though: it goes to the temporary folder, which
// lets its folder under Program Files be removed at once, and the system
// deletes the moved file at the next restart (MoveFileEx with
// MOVEFILE_DELAY_UNTIL_REBOOT, allowed to administrators). Whatever cannot
// be moved is deleted at the restart where it is.
#include "installer/registration.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hbsdk/filesystem/directory_handle.h"
#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/win32/win32_path.h"
#include "installer/win32/uninstall_entry.h"

namespace installer {

namespace fs = hbsdk::filesystem;

namespace {

constexpr char16_t uninstaller_name[] = u"uninstall.exe";
constexpr int uninstaller_resource = 201;

fs::file_path folder_of(const fs::file_path& file) {
  const std::u16string& text = file.text();
  const std::size_t cut = text.rfind(u'\\');
  return cut == std::u16string::npos ? fs::file_path() : fs::file_path(std::u16string_view(text).substr(0, cut));
}

std::u16string own_path() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
    if (buffer.size() > 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

bool same_path(const std::u16string& a, const std::u16string& b) {
  return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.c_str()), static_cast<int>(a.size()),
                              reinterpret_cast<const wchar_t*>(b.c_str()), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// Writes the uninstaller carried as resource 201 into folder, the way
// extraction writes files (no link followed). False when this executable
// carries none or it cannot be written.
bool write_uninstaller(const fs::file_path& folder) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(uninstaller_resource), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  const DWORD size = found != nullptr ? SizeofResource(nullptr, found) : 0;
  if (bytes == nullptr || size == 0) return false;
  fs::directory_handle opened;
  fs::output_file file;
  return opened.open(folder) && file.open_in(opened, uninstaller_name) == fs::open_result::opened &&
         file.write(static_cast<const std::uint8_t*>(bytes), size) && file.close();
}

std::u16string today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
  return std::u16string(text, text + 8);
}

// A name in the temporary folder for the running uninstaller to move to.
std::wstring parking_place() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  return std::wstring(folder, length) + L"tidewater-kit-uninstall-" + std::to_wstring(GetCurrentProcessId()) +
         L"-" + std::to_wstring(GetTickCount64()) + L".exe";
}

// Deletes a file now; a file in use (the running uninstaller) is moved to
// the temporary folder first when it can be, and deleted at the next restart.
void delete_file_soon(const std::u16string& path) {
  const wchar_t* text = reinterpret_cast<const wchar_t*>(path.c_str());
  if (DeleteFileW(text) || GetLastError() == ERROR_FILE_NOT_FOUND) return;
  const std::wstring parked = parking_place();
  if (!parked.empty() && MoveFileExW(text, parked.c_str(), 0)) {
    MoveFileExW(parked.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return;
  }
  MoveFileExW(text, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

// Removes an empty folder now, or at the next restart when something in it
// is still waiting for that restart.
void remove_folder_soon(const std::u16string& path, bool later) {
  const wchar_t* text = reinterpret_cast<const wchar_t*>(path.c_str());
  if (!RemoveDirectoryW(text) && later && GetLastError() == ERROR_DIR_NOT_EMPTY) {
    MoveFileExW(text, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
}

}  // namespace

std::vector<std::string> register_installation(const installation_record& record, const fs::file_path& record_file) {
  const fs::file_path folder = folder_of(record_file);
  if (!write_uninstaller(folder)) {
    return {"No uninstaller could be written beside the record: no uninstall entry is registered."};
  }
  std::uint64_t bytes = 0;
  for (const recorded_file& file : record.files) bytes += file.size;
  uninstall_entry entry;
  entry.version = std::u16string(record.version.begin(), record.version.end());
  entry.location = record.target.text();
  entry.uninstaller = fs::join(folder, fs::file_path(uninstaller_name)).text();
  const std::uint64_t kb = (bytes + 1023) / 1024;
  entry.size_kb = kb > 0xFFFF'FFFFu ? 0xFFFF'FFFFu : static_cast<std::uint32_t>(kb);
  entry.install_date = today();
  if (!write_uninstall_entry(entry)) return {"The uninstall entry could not be written."};
  return {"The uninstaller and the uninstall entry were written."};
}

void unregister_installation(const fs::file_path& record_file) {
  (void)delete_uninstall_entry();
  const fs::file_path folder = folder_of(record_file);
  const std::u16string uninstaller = fs::join(folder, fs::file_path(uninstaller_name)).text();
  const bool running = same_path(own_path(), uninstaller);
  delete_file_soon(uninstaller);
  // The pack's folder under Program Files, then the maker's folder when no
  // other pack of theirs is left in it.
  remove_folder_soon(folder.text(), running);
  remove_folder_soon(folder_of(folder).text(), running);
}

}  // namespace installer
