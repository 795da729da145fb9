#include "scoped_variable.h"

#include <utility>

namespace installer::testing {

scoped_variable::scoped_variable(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), previous_(get_variable(name_)) {
  set_variable(name_, value);
}

scoped_variable::~scoped_variable() { set_variable(name_, previous_); }

}  // namespace installer::testing
