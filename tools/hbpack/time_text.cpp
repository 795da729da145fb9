#include "tools/hbpack/time_text.h"

#include <chrono>
#include <cstdio>

namespace hbpack {

std::string utc_text(std::uint64_t seconds) {
  constexpr std::uint64_t last_second_of_9999 = 253'402'300'799;
  if (seconds > last_second_of_9999) {
    std::string text(1, '@');
    text += std::to_string(seconds);
    return text;
  }
  using namespace std::chrono;
  const sys_seconds moment{std::chrono::seconds{static_cast<std::int64_t>(seconds)}};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const hh_mm_ss time{moment - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace hbpack
