#pragma once
// Finds the payload archive that the build placed inside this executable: its
// first byte and its length, or nothing when the executable carries none.
// Windows keeps it as resource 200 of type RCDATA; Linux links it into a
// read-only section between two symbols.

#include <cstdint>
#include <optional>

namespace installer {

struct payload_view {
  const std::uint8_t* data = nullptr;
  std::uint64_t length = 0;
};

// The bytes stay mapped for the life of the process and are never freed.
std::optional<payload_view> find_payload();

}  // namespace installer
