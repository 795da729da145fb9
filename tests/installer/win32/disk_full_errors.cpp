#include "disk_full_errors.h"

#include <windows.h>

namespace installer::testing {

std::vector<std::int32_t> disk_full_errors() { return {ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL}; }
std::vector<std::int32_t> other_write_errors() {
  return {ERROR_ACCESS_DENIED, ERROR_WRITE_FAULT, ERROR_WRITE_PROTECT, ERROR_SHARING_VIOLATION, ERROR_PATH_NOT_FOUND};
}

}  // namespace installer::testing
