#include "installer/run_installer.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/filesystem/display_text.h"
#include "hbsdk/filesystem/std_path.h"
#include "installer/asset_library.h"
#include "installer/destination_check.h"
#include "installer/documents_folder.h"
#include "installer/system_account.h"
#include "installer/free_space.h"
#include "installer/payload/archive_size.h"
#include "installer/installer_ui.h"
#include "installer/session_log.h"
#include "installer/system.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace installer {

void run_installer(install_steps steps) { (void)run_installer(std::move(steps), command_line{}, exit_platform::posix); }

destination_choice choose_destination(const command_line& line) {
  if (line.destination) return {*line.destination, "given by the destination switch"};
  const asset_library_lookup found = look_up_asset_library(asset_library_value, asset_library_variable);
  // The system account's own Documents folder is no user's library: no
  // folder is found, and the run is held back as a bad destination.
  if (running_as_system_account() && !found.folder.empty() && found.folder == documents_folder()) {
    return {hbsdk::filesystem::file_path(), "no folder found: the system account's own Documents folder is not used"};
  }
  switch (found.source) {
    case asset_library_source::stored: return {found.folder, "the stored value"};
    case asset_library_source::environment: return {found.folder, "the environment variable ORRERY_USER_PATH"};
    case asset_library_source::documents: return {found.folder, "the Documents folder"};
    case asset_library_source::none: break;
  }
  return {found.folder, "no folder found"};
}

namespace {

// A silent run into a folder that is not there is refused before it starts:
// nothing below a mistyped folder is made.
destination_check check_silent_destination(const hbsdk::filesystem::file_path& folder, destination_check check) {
  if (!check.ok() || folder.empty()) return check;
  std::error_code error;
  if (!std::filesystem::is_directory(hbsdk::filesystem::to_std_path(folder), error)) {
    return {exit_reason::bad_destination, "The folder " + hbsdk::filesystem::display_text(folder) + " does not exist."};
  }
  return check;
}

int outcome_code(const install_outcome& outcome, exit_platform platform) {
  return exit_code(exit_reason_for(outcome.kind), platform);
}

// Ends a start whose run must fail before it begins: the log says why.
int held_back(session_log& log, const destination_check& check, exit_platform platform) {
  const int code = exit_code(check.reason, platform);
  log.line("Not started: " + check.text);
  install_outcome outcome;
  outcome.kind = check.reason == exit_reason::disk_full ? failure_kind::disk_full : failure_kind::bad_destination;
  log.finish(outcome, code);
  return code;
}

// Runs the installation on this thread: no window, no question.
int run_very_silent(install_steps steps, const command_line& line, exit_platform platform) {
  const destination_choice destination = choose_destination(line);
  session_log log(line, destination.folder, destination.source);
  if (!log.usable()) return exit_code(exit_reason::cannot_write, platform);
  std::optional<std::uint64_t> pack_bytes;
  if (steps.find_payload) {
    if (const auto payload = steps.find_payload()) pack_bytes = payload_size(*payload);
  }
  const destination_check check = check_silent_destination(
      destination.folder, check_destination(destination.folder, pack_bytes,
                                            destination.folder.empty() ? std::nullopt : free_space(destination.folder)));
  if (!check.ok()) return held_back(log, check, platform);
  System system(std::move(steps));
  system.set_log(log.log());
  system.install(destination.folder);
  const install_outcome outcome = system.outcome();
  const int code = outcome_code(outcome, platform);
  log.finish(outcome, code);
  return code;
}

int run_wizard(install_steps steps, const command_line& line, exit_platform platform, instance_lock* lock) {
  InstallerUI wizard(std::move(steps), line);
  if (lock != nullptr) wizard.answer_summons([lock] { return lock->summoned(); });
  session_log log(line, wizard.folder(), choose_destination(line).source);
  if (line.silent() && !log.usable()) return exit_code(exit_reason::cannot_write, platform);
  if (line.silent()) {
    const destination_check check = check_silent_destination(wizard.folder(), wizard.start_check());
    if (!check.ok()) return held_back(log, check, platform);
  }
  wizard.system.set_log(log.log());
  // A close from the shown callbacks ends the loop before it starts.
  wizard.native().begin_modal();
  hbsdk::ui::fire(&wizard, hbsdk::ui::event_type::shown);
  if (line.mode == run_mode::silent) wizard.show_page(2);
  wizard.native().modal_loop();
  // In silent mode the close box does not stop the run: the loop runs again
  // until the wizard has closed itself after the outcome.
  while (line.mode == run_mode::silent && !wizard.is_finished()) {
    wizard.native().modal_loop();
  }
  wizard.system.join();
  if (!wizard.system.done()) return 0;  // closed before any run started
  const install_outcome outcome = wizard.system.outcome();
  const int code = line.silent() ? outcome_code(outcome, platform) : 0;
  log.finish(outcome, code);
  return code;
}

}  // namespace

int run_installer(install_steps steps, const command_line& line, exit_platform platform, instance_lock* lock) {
  if (line.mode == run_mode::very_silent) return run_very_silent(std::move(steps), line, platform);
  return run_wizard(std::move(steps), line, platform, lock);
}

bool is_elevated_instance(std::u16string_view command_line) {
  return parse_windows_command_line(command_line).elevated;
}

}  // namespace installer
