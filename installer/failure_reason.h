#pragma once
// The reason a run failed, in plain words for the person at the wizard.

#include <string>

#include "installer/install_outcome.h"

namespace installer {

// One or two sentences; empty for a run that succeeded.
std::string failure_reason(const install_outcome& outcome);

}  // namespace installer
