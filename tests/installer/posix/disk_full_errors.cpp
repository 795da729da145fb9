#include "disk_full_errors.h"

#include <cerrno>

namespace installer::testing {

std::vector<std::int32_t> disk_full_errors() { return {ENOSPC, EDQUOT}; }
std::vector<std::int32_t> other_write_errors() { return {EACCES, EIO, EROFS, EFBIG, ENOENT}; }

}  // namespace installer::testing
