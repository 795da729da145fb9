#pragma once
// Extraction of the payload archive: creates the listed directories below a
// target folder, inflates every file in 16 KiB steps, writes it and stamps its
// times. Reads the archive in place, never throws, and returns one small code.

#include <cstdint>

#include "hbsdk/filesystem/file_path.h"

namespace installer {

// Returns 0 on success or an extraction code (see extract_code.h).
std::int32_t extract_archive(const std::uint8_t* archive, std::uint64_t length,
                             const hbsdk::filesystem::file_path& target);

// Stamps an existing file with creation and last-write times given in seconds
// since 1970-01-01 UTC. Failures are silent.
void set_file_times(const hbsdk::filesystem::file_path& path, std::uint64_t creation,
                    std::uint64_t last_write);

}  // namespace installer
