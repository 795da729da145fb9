#pragma once
// The space left for an installation on the volume of its destination, so
// that a run that cannot fit is refused before it starts (compare it with
// payload_size in installer/payload/archive_size.h).

#include <cstdint>
#include <optional>

#include "hbsdk/filesystem/file_path.h"

namespace installer {

// The bytes the current user may still write on the volume that holds
// folder (statvfs on Linux, GetDiskFreeSpaceExW on Windows). A folder that
// does not exist yet is measured at its nearest existing parent, where it
// would be created. Nothing for an empty or relative path or when no parent
// can be measured.
std::optional<std::uint64_t> free_space(const hbsdk::filesystem::file_path& folder);

}  // namespace installer
