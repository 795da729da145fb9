// Environment variables for tests on Linux.
#include <cstdlib>

#include "scoped_variable.h"

namespace installer::testing {

void set_variable(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

std::optional<std::string> get_variable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

}  // namespace installer::testing
