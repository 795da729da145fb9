#pragma once
// Runs the installer in the mode its command line asks for, and says which
// exit code the process ends with.
//
// Interactive and silent: makes the wizard, fires shown on it and runs its
// modal loop until it closes, then destroys it, which waits for a worker that
// is still writing files. In silent mode the wizard starts the run at once
// and closes itself at the end; the close box does not end it while the run
// goes on. Very silent: runs the installation on this thread, no window.
// The wizard answers a second start's summons through the one-installation
// lock this instance holds, when one is given.

#include "installer/command_line.h"
#include "installer/exit_codes.h"
#include "installer/install_steps.h"
#include "installer/instance_lock.h"

#include <string>
#include <string_view>

namespace installer {

// The wizard without switches, as before.
void run_installer(install_steps steps);

// Runs the mode of line (a line that is ok and asks for no help). Returns
// the exit code: 0 interactively, the run's outcome in the silent modes.
int run_installer(install_steps steps, const command_line& line, exit_platform platform,
                  instance_lock* lock = nullptr);

// The folder a run goes into, and how it was found.
struct destination_choice {
  hbsdk::filesystem::file_path folder;
  std::string source;  // how it was found, in words for the log
};
destination_choice choose_destination(const command_line& line);

// Whether this instance is the elevated one: the marker "/UAC" found
// anywhere in its command line outside switch values, case-sensitive, also
// inside a longer word.
bool is_elevated_instance(std::u16string_view command_line);

}  // namespace installer
