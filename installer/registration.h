#pragma once
// The system's registration of an installation, beside its record.
//   Windows: the uninstaller (carried inside the installer as resource 201)
//     is written next to the record, and the standard uninstall entry
//     HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TidewaterKitPack
//     (64-bit view) names it, with the values the system's list of installed
//     programs and package managers read. Unregistering removes the entry
//     and the uninstaller with its folder.
//   Linux: there is nothing to register; the record alone is the installation's.

#include <string>
#include <vector>

#include "hbsdk/filesystem/file_path.h"
#include "installer/installation_record.h"

namespace installer {

// Registers the installation that record describes, its record kept in
// record_file. Returns lines for the log (what failed, if anything).
std::vector<std::string> register_installation(const installation_record& record,
                                               const hbsdk::filesystem::file_path& record_file);

// Removes the registration once nothing of the pack is installed.
void unregister_installation(const hbsdk::filesystem::file_path& record_file);

}  // namespace installer
