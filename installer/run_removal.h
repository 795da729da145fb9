#pragma once
// Removes the installed pack as the command line asks (its uninstall switch),
// and says which exit code the process ends with.
//
// Interactive: a question naming the pack and its folder, then the result
// (how many files were removed, which changed files were kept, which could
// not be removed) in the toolkit's pop-ups. Silent and very silent: no
// question and no window; a removal takes too little time for a progress
// window, so both are the same here. The log, when asked for, gets the
// header, a line per file kept and the outcome.

#include <functional>
#include <optional>

#include "hbsdk/filesystem/file_path.h"
#include "installer/command_line.h"
#include "installer/exit_codes.h"
#include "installer/pack_removal.h"

namespace installer {

struct removal_steps {
  // Where the record is; nothing when the platform names no place.
  std::function<std::optional<hbsdk::filesystem::file_path>()> record_file;
  // Run once the record is gone (nothing of the pack is left installed):
  // Windows removes its uninstall entry and the uninstaller here. May be empty.
  std::function<void()> after_complete = {};
};

// The platform's steps: the record in its place (record_location.h) and, on
// Windows, the registration and the uninstaller removed at the end.
removal_steps platform_removal_steps();

// Runs the removal of line (line.uninstall set, ok, no help). Returns the exit code.
int run_removal(const command_line& line, exit_platform platform, const removal_steps& steps);

// The result as the interactive removal shows it.
std::string removal_summary(const removal_report& report);

}  // namespace installer
