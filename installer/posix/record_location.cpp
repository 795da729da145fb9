#include "installer/record_location.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "hbsdk/filesystem/posix/posix_path.h"

namespace installer {
namespace {

std::string_view variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

std::optional<hbsdk::filesystem::file_path> record_file_location() {
  constexpr std::string_view relative = "/halbrook/tidewater-kit-pack.record";
  std::string file;
  if (const auto given = variable(record_file_variable); !given.empty()) {
    file = std::string(given);
  } else if (auto data = variable("XDG_DATA_HOME"); data.starts_with('/')) {
    while (data.ends_with('/')) data.remove_suffix(1);
    file = std::string(data) + std::string(relative);
  } else if (auto home = variable("HOME"); !home.empty()) {
    while (home.ends_with('/')) home.remove_suffix(1);
    file = std::string(home) + "/.local/share" + std::string(relative);
  } else {
    return std::nullopt;
  }
  try {
    return hbsdk::filesystem::from_posix(file);
  } catch (const std::exception&) {
    return std::nullopt;  // not UTF-8
  }
}

}  // namespace installer
