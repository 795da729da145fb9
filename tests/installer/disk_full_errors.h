#pragma once
// The platform's error numbers for a full volume, and a few other write
// errors that are not (posix/disk_full_errors.cpp, win32/disk_full_errors.cpp).

#include <cstdint>
#include <vector>

namespace installer::testing {

std::vector<std::int32_t> disk_full_errors();
std::vector<std::int32_t> other_write_errors();

}  // namespace installer::testing
