#pragma once
// The size of the pack once installed, read from the payload archive's tables.

#include <cstdint>
#include <optional>

namespace installer {

// The sum of the uncompressed sizes of every file in the archive; nothing
// when its tables cannot be read whole.
std::optional<std::uint64_t> pack_size(const std::uint8_t* archive, std::uint64_t length);

}  // namespace installer
