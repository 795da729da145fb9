#pragma once
// hbpack list: one line per directory and per file (name, sizes, times), then
// a summary, or the layout fault that stopped the listing. Names are printed
// with their control characters escaped (printable_name.h).

#include <cstdint>
#include <ostream>
#include <span>

namespace hbpack {

// Returns false when the layout is broken; what could be read is listed first.
bool list_archive(std::span<const std::uint8_t> archive, std::ostream& out);

}  // namespace hbpack
