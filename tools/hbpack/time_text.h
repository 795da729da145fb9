#pragma once
// Prints archive times (seconds since 1970 UTC) the way hbpack list shows them.

#include <cstdint>
#include <string>

namespace hbpack {

// "YYYY-MM-DD hh:mm:ss" in UTC; a time after the year 9999 is shown as
// "@<seconds>".
std::string utc_text(std::uint64_t seconds);

}  // namespace hbpack
