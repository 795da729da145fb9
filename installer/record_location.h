#pragma once
// Where the record of the installation is kept (and, on Windows, the
// uninstaller beside it). Never inside the asset library, which the plug-in
// scans.
//   Windows: %ProgramFiles%\Halbrook\Tidewater Kit Pack\installation.record,
//     a folder only an administrator can write.
//   Linux: $HB_RECORD_FILE when set and not empty (tests and the README's
//     run command use it); else $XDG_DATA_HOME/halbrook/tidewater-kit-pack.record
//     when XDG_DATA_HOME is absolute; else
//     $HOME/.local/share/halbrook/tidewater-kit-pack.record.

#include <optional>

#include "hbsdk/filesystem/file_path.h"

namespace installer {

inline constexpr char record_file_variable[] = "HB_RECORD_FILE";

// The record file's whole path, or nothing when the platform names no place.
std::optional<hbsdk::filesystem::file_path> record_file_location();

}  // namespace installer
