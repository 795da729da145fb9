#pragma once
// Sets or removes one environment variable for the life of a test, then puts
// back what was there before.

#include <optional>
#include <string>

namespace installer::testing {

// Sets name to value (both UTF-8), or removes it when value is nothing.
void set_variable(const std::string& name, const std::optional<std::string>& value);
// The current value, or nothing when the variable is not set.
std::optional<std::string> get_variable(const std::string& name);

class scoped_variable {
public:
  scoped_variable(std::string name, const std::optional<std::string>& value);
  ~scoped_variable();
  scoped_variable(const scoped_variable&) = delete;
  scoped_variable& operator=(const scoped_variable&) = delete;

private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace installer::testing
