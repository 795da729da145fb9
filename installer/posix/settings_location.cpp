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

std::optional<std::string> user_file_location(const char* override_variable, const char* base_variable,
                                              std::string_view home_folder, std::string_view relative) {
  if (const auto file = variable(override_variable); !file.empty()) return std::string(file);
  if (auto base = variable(base_variable); base.starts_with('/')) {
    while (base.ends_with('/')) base.remove_suffix(1);
    return std::string(base) + std::string(relative);
  }
  if (auto home = variable("HOME"); !home.empty()) {
    while (home.ends_with('/')) home.remove_suffix(1);
    return std::string(home) + std::string(home_folder) + std::string(relative);
  }
  return std::nullopt;
}

std::optional<std::string> settings_file_location() {
  return user_file_location(settings_file_variable, "XDG_CONFIG_HOME", "/.config", "/halbrook/settings");
}

}  // namespace installer
