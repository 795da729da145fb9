// Environment variables on Linux: the process environment holds UTF-8 text.
#include "installer/environment.h"

#include <cstdlib>
#include <stdexcept>

#include "hbsdk/filesystem/encoding.h"

namespace installer {

std::optional<std::u16string> environment_variable(std::u16string_view name) {
  const char* value = std::getenv(hbsdk::filesystem::to_utf8(name).c_str());
  if (value == nullptr) return std::nullopt;
  try {
    return hbsdk::filesystem::to_wide(value);
  } catch (const std::range_error&) {
    return std::nullopt;  // not UTF-8: it cannot name a folder here
  }
}

}  // namespace installer
