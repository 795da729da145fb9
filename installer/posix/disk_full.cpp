#include "installer/disk_full.h"

#include <cerrno>

namespace installer {

bool is_disk_full_error(std::int32_t system_error) noexcept {
  return system_error == ENOSPC || system_error == EDQUOT;
}

}  // namespace installer
