// Environment variables for tests on Windows: the process environment block
// that GetEnvironmentVariableW reads.
#include <windows.h>

#include "hbsdk/filesystem/encoding.h"
#include "installer/environment.h"
#include "scoped_variable.h"

namespace installer::testing {

namespace fs = hbsdk::filesystem;

void set_variable(const std::string& name, const std::optional<std::string>& value) {
  const std::u16string wide_name = fs::to_wide(name);
  const std::u16string wide_value = value ? fs::to_wide(*value) : std::u16string();
  SetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(wide_name.c_str()),
                          value ? reinterpret_cast<const wchar_t*>(wide_value.c_str()) : nullptr);
}

std::optional<std::string> get_variable(const std::string& name) {
  const auto value = installer::environment_variable(fs::to_wide(name));
  return value ? std::optional<std::string>(fs::to_utf8(*value)) : std::nullopt;
}

}  // namespace installer::testing
