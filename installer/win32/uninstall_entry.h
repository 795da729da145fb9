#pragma once
// The standard uninstall entry of the system for this pack, per machine, in
// the 64-bit view, under one key name every version of the pack uses:
// HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TidewaterKitPack.

#include <cstdint>
#include <string>

namespace installer {

inline constexpr wchar_t uninstall_key[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TidewaterKitPack";

struct uninstall_entry {
  std::u16string version;       // DisplayVersion
  std::u16string location;      // InstallLocation: the target folder
  std::u16string uninstaller;   // the uninstaller's whole path
  std::uint32_t size_kb = 0;    // EstimatedSize
  std::u16string install_date;  // InstallDate, yyyymmdd
};

// Writes (or rewrites) every value of the entry: DisplayName, DisplayVersion,
// Publisher, InstallLocation, UninstallString ("path" /UNINSTALL),
// QuietUninstallString ("path" /UNINSTALL /VERYSILENT), DisplayIcon (path,0),
// EstimatedSize, InstallDate, NoModify and NoRepair. False on any failure.
bool write_uninstall_entry(const uninstall_entry& entry);

// Removes the entry; true also when there was none.
bool delete_uninstall_entry();

}  // namespace installer
