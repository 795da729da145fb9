#pragma once
// The values an install run leaves in System's status, and the one rule that
// turns an extraction code into a final status.

#include <cstdint>

namespace installer::install_status {

inline constexpr std::int32_t not_started = 0;
inline constexpr std::int32_t running = 1;
inline constexpr std::int32_t succeeded = 2;
// The executable carries no payload archive (or it cannot be loaded).
inline constexpr std::int32_t payload_missing = 100;

// 0 (every record extracted) is success; any other code is reported ten times
// over, so 20 (an output file cannot be opened) becomes 200. No extraction code
// is 10, so the result never collides with payload_missing.
constexpr std::int32_t from_extraction(std::int32_t code) noexcept {
  return code == 0 ? succeeded : code * 10;
}

}  // namespace installer::install_status
