#pragma once
// The size of what a payload archive installs, read from its tables alone
// (no stream is inflated): the uncompressed bytes of every file and the
// number of files. The installer compares it with the free space of the
// destination's volume before a run, and the worker's progress counts
// against it.

#include <cstdint>
#include <optional>

#include "installer/payload_locator.h"

namespace installer {

struct archive_size {
  std::uint64_t bytes = 0;   // the sum of the files' uncompressed sizes
  std::uint32_t files = 0;
};

// Nothing when the tables are damaged (the same faults extraction would
// report before writing the file concerned).
std::optional<archive_size> measure_archive(const std::uint8_t* archive, std::uint64_t length) noexcept;

// The uncompressed size of the whole pack, or nothing for a missing or
// damaged payload.
std::optional<std::uint64_t> payload_size(const payload_view& payload) noexcept;

}  // namespace installer
