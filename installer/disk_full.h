#pragma once
// Whether a system error number means the volume is out of space: ENOSPC or
// EDQUOT on POSIX systems, ERROR_DISK_FULL or ERROR_HANDLE_DISK_FULL on
// Windows (posix/disk_full.cpp, win32/disk_full.cpp).

#include <cstdint>

namespace installer {

bool is_disk_full_error(std::int32_t system_error) noexcept;

}  // namespace installer
