#include "installer/disk_full.h"

#include <windows.h>

namespace installer {

bool is_disk_full_error(std::int32_t system_error) noexcept {
  return system_error == ERROR_DISK_FULL || system_error == ERROR_HANDLE_DISK_FULL;
}

}  // namespace installer
