#pragma once
// The installer's exit codes, one row per way a start can end. Windows uses
// the numbers deployment tools already map (the installer family's 16xx
// codes and the system's error numbers); Linux exit codes hold 0-255 only,
// so Linux has its own small numbers.
//
// These codes apply when a switch was given (and to a refused command line).
// Started without switches the installer keeps its old codes: on Windows the
// first instance returns 0 when the elevated one started and 1 when it did
// not, the elevated one 0; on Linux 0 once the wizard closed, 1 when it
// could not be shown.

#include <array>
#include <cstdint>

#include "installer/install_outcome.h"

namespace installer {

enum class exit_reason {
  success,
  cancelled,           // the user cancelled, or declined the elevation prompt
  another_running,     // another installation is running on this machine
  bad_command_line,    // an unknown or malformed switch; nothing was installed
  no_display,          // no window can be shown (Linux)
  cannot_run,          // the installer itself could not run (no window could be made, ...)
  disk_full,           // the destination's volume is full, or too small for the pack
  cannot_write,        // a file or folder below the destination could not be written
  link_refused,        // a link stood in the way and was refused
  damaged_payload,     // the installer file is damaged
  bad_destination,     // the destination folder is missing, relative or unusable, or none was found
  // A removal (the files it keeps because they were changed do not count):
  not_installed,       // no record of an installation was found
  removal_incomplete,  // some files could not be removed (in use, read-only, a link in the way); still recorded
  damaged_record,      // the record of the installation cannot be read
};

struct exit_code_row {
  exit_reason reason;
  int windows_code;
  int linux_code;
};

inline constexpr std::array<exit_code_row, 14> exit_code_table{{
    {exit_reason::success, 0, 0},
    {exit_reason::cancelled, 1602, 5},          // ERROR_INSTALL_USEREXIT
    {exit_reason::another_running, 1618, 4},    // ERROR_INSTALL_ALREADY_RUNNING
    {exit_reason::bad_command_line, 1639, 2},   // ERROR_INVALID_COMMAND_LINE
    {exit_reason::no_display, 1603, 3},         // Windows always has a display
    {exit_reason::cannot_run, 1603, 1},         // ERROR_INSTALL_FAILURE
    {exit_reason::disk_full, 112, 10},          // ERROR_DISK_FULL
    {exit_reason::cannot_write, 82, 11},        // ERROR_CANNOT_MAKE
    {exit_reason::link_refused, 1921, 12},      // ERROR_CANT_RESOLVE_FILENAME
    {exit_reason::damaged_payload, 1620, 13},   // ERROR_INSTALL_PACKAGE_INVALID
    {exit_reason::bad_destination, 267, 14},    // ERROR_DIRECTORY
    {exit_reason::not_installed, 1605, 20},     // ERROR_UNKNOWN_PRODUCT
    {exit_reason::removal_incomplete, 1627, 21},  // ERROR_FUNCTION_FAILED
    {exit_reason::damaged_record, 1610, 22},    // ERROR_INSTALL_CONFIGURATION_DATA
}};

enum class exit_platform { windows, posix };  // posix: the Linux table

// The code of a reason on a platform.
int exit_code(exit_reason reason, exit_platform platform) noexcept;

// The reason a finished run ends with.
exit_reason exit_reason_for(failure_kind kind) noexcept;

}  // namespace installer
