#pragma once
// The free space of the volume a folder lies on.

#include <cstdint>
#include <optional>

#include "hbsdk/filesystem/file_path.h"

namespace installer {

// Bytes free for this user on the folder's volume; nothing when it cannot be told.
std::optional<std::uint64_t> free_space(const hbsdk::filesystem::file_path& folder);

}  // namespace installer
