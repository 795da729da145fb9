#pragma once
// A small, fast generator (splitmix64) whose sequence depends only on its
// seed, so a pack comes out the same on every platform and compiler.

#include <cstdint>

namespace hbpackgen {

class seeded_random {
public:
  explicit seeded_random(std::uint64_t seed) noexcept : state_(seed) {}

  std::uint64_t next() noexcept {
    std::uint64_t z = (state_ += 0x9E37'79B9'7F4A'7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EBull;
    return z ^ (z >> 31);
  }

  // A value in [low, high], both included.
  std::uint64_t between(std::uint64_t low, std::uint64_t high) noexcept { return low + next() % (high - low + 1); }

private:
  std::uint64_t state_;
};

}  // namespace hbpackgen
