#pragma once
// Runs the installer's wizard from start to end: makes it, fires shown on it
// and runs its modal loop until it closes (Finish, a confirmed Cancel or the
// close box), then destroys it, which waits for a worker that is still
// writing files.

#include "installer/install_steps.h"

#include <string_view>

namespace installer {

void run_installer(install_steps steps);

// Whether this instance is the elevated one: the marker "/UAC" found
// anywhere in its command line, case-sensitive, also inside a longer word.
bool is_elevated_instance(std::u16string_view command_line);

}  // namespace installer
