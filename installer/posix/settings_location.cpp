#include "installer/posix/settings_location.h"

#include <cstdlib>
#include <string_view>

namespace installer {
namespace {

std::string_view variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

std::optional<std::string> settings_file_location() {
  constexpr std::string_view relative = "/halbrook/settings";
  if (const auto file = variable(settings_file_variable); !file.empty()) return std::string(file);
  if (auto config = variable("XDG_CONFIG_HOME"); config.starts_with('/')) {
    while (config.ends_with('/')) config.remove_suffix(1);
    return std::string(config) + std::string(relative);
  }
  if (auto home = variable("HOME"); !home.empty()) {
    while (home.ends_with('/')) home.remove_suffix(1);
    return std::string(home) + "/.config" + std::string(relative);
  }
  return std::nullopt;
}

}  // namespace installer
