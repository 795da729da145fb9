#pragma once
// hbpack verify: checks the layout and the writer's rules, and inflates every
// stream in memory in the engine's own 16 KiB steps, comparing its length with
// the recorded size. It goes on after a fault in one file; a fault in the
// tables ends the walk, since nothing after it can be located.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace hbpack {

// Every problem found, one sentence each, naming the entry (its name printed
// with control characters escaped); empty when the archive is sound. Names
// are judged and placed exactly as extraction does. progress gets the compressed bytes inflated in each step.
std::vector<std::string> verify_archive(std::span<const std::uint8_t> archive,
                                        const std::function<void(std::size_t)>& progress = {});

}  // namespace hbpack
