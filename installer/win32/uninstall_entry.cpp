#include "installer/win32/uninstall_entry.h"

#include <windows.h>

namespace installer {

namespace {

bool set_text(HKEY key, const wchar_t* name, const std::u16string& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool set_number(HKEY key, const wchar_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

}  // namespace

bool write_uninstall_entry(const uninstall_entry& entry) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, uninstall_key, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::u16string quoted = u"\"" + entry.uninstaller + u"\"";
  const bool written = set_text(key, L"DisplayName", u"Tidewater Kit Pack") &&
                       set_text(key, L"DisplayVersion", entry.version) && set_text(key, L"Publisher", u"Halbrook") &&
                       set_text(key, L"InstallLocation", entry.location) &&
                       set_text(key, L"UninstallString", quoted + u" /UNINSTALL") &&
                       set_text(key, L"QuietUninstallString", quoted + u" /UNINSTALL /VERYSILENT") &&
                       set_text(key, L"DisplayIcon", entry.uninstaller + u",0") &&
                       set_number(key, L"EstimatedSize", entry.size_kb) &&
                       set_text(key, L"InstallDate", entry.install_date) && set_number(key, L"NoModify", 1) &&
                       set_number(key, L"NoRepair", 1);
  RegCloseKey(key);
  return written;
}

bool delete_uninstall_entry() {
  const LSTATUS status = RegDeleteKeyExW(HKEY_LOCAL_MACHINE, uninstall_key, KEY_WOW64_64KEY, 0);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace installer
