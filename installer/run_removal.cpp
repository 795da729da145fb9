#include "installer/run_removal.h"

#include "hbsdk/filesystem/display_text.h"
#include "hbsdk/ui/widgets/message_popup.h"
#include "installer/install_log.h"
#include "installer/installer_ui.h"
#include "installer/record_file.h"
#include "installer/record_location.h"
#include "installer/registration.h"
#include "installer/session_log.h"

namespace installer {

namespace fs = hbsdk::filesystem;

namespace {

constexpr const char* title = "Remove Tidewater Kit Pack";

// Shows a message with OK, or with Yes and No; true for OK or Yes.
bool show(const std::string& message, std::int32_t type) {
  hbsdk::ui::MessagePopup popup;
  popup.build(nullptr, title, message, type);
  popup.focus_button(type == hbsdk::ui::MessagePopup::yes_no ? 2 : 1);  // No: nothing happens by accident
  return popup.run_modal() == 1;
}

// At most limit names, then how many more there are.
std::string listed(const std::vector<std::string>& names, std::size_t limit = 8) {
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < limit; ++i) text += "\n  " + names[i];
  if (names.size() > limit) text += "\n  and " + std::to_string(names.size() - limit) + " more";
  return text;
}

}  // namespace

removal_steps platform_removal_steps() {
  const auto file = record_file_location();
  removal_steps steps{[file] { return file; }};
  if (file) steps.after_complete = [file] { unregister_installation(*file); };
  return steps;
}

std::string removal_summary(const removal_report& report) {
  std::string text = std::string(texts::pack) + (report.complete() ? " was removed. " : " was partly removed. ") +
                     std::to_string(report.removed_files) + (report.removed_files == 1 ? " file was" : " files were") +
                     " removed.";
  if (!report.changed.empty()) {
    text += "\n\nThese files were changed after the installation and were kept:" + listed(report.changed);
  }
  std::vector<std::string> stuck;
  for (const kept_file& kept : report.failed) stuck.push_back(kept.name + " (" + kept.reason + ")");
  for (const std::string& name : report.links) stuck.push_back(name + " (a link stands in the way)");
  if (!stuck.empty()) {
    text += "\n\nThese could not be removed and were left in place:" + listed(stuck);
    if (!report.failed.empty()) text += "\n\nClose the programs that use them, or make them writable, and remove again.";
  }
  return text;
}

int run_removal(const command_line& line, exit_platform platform, const removal_steps& steps) {
  const bool interactive = line.mode == run_mode::interactive;
  const auto file = steps.record_file ? steps.record_file() : std::nullopt;
  const record_read read = file ? read_record_file(*file) : record_read{record_read::result::missing, {}, {}};
  session_log log(line, read.record.target, "the record of the installation");
  if (!log.usable()) return exit_code(exit_reason::cannot_write, platform);

  // Ends with reason; an interactive removal shows what is said, unless
  // the person has just answered No.
  const auto end = [&](exit_reason reason, const std::string& said) {
    const int code = exit_code(reason, platform);
    log.line(said);
    log.line("Exit code: " + std::to_string(code));
    if (interactive && reason != exit_reason::cancelled) show(said, hbsdk::ui::MessagePopup::ok);
    return code;
  };
  if (read.outcome == record_read::result::missing) {
    // A registration left without its record is cleaned up all the same.
    if (steps.after_complete) steps.after_complete();
    return end(exit_reason::not_installed, std::string(texts::pack) + " is not installed: there is nothing to remove.");
  }
  if (read.outcome == record_read::result::failed) {
    return end(exit_reason::damaged_record, "The record of the installation cannot be used, so nothing was removed. " +
                                                read.error);
  }
  const std::string folder = fs::display_text(read.record.target);
  if (interactive && !show("Do you want to remove " + std::string(texts::pack) + " from " + folder +
                               "?\n\nOnly the files it installed and that were not changed since are removed.",
                           hbsdk::ui::MessagePopup::yes_no)) {
    return end(exit_reason::cancelled, "The removal was cancelled; nothing was removed.");
  }

  const removal_report report = remove_installation(read.record);
  const bool recorded = write_record_file(*file, report.remaining);
  for (const std::string& name : report.changed) log.line("Kept, changed since installed: " + name);
  for (const std::string& name : report.links) log.line("Kept, a link stands in the way: " + name);
  for (const kept_file& kept : report.failed) log.line("Kept, " + kept.reason + ": " + kept.name);
  log.line("Removed " + std::to_string(report.removed_files) + " files and " +
           std::to_string(report.removed_directories) + " folders from " + folder);
  if (!recorded) log.line("The record of the installation could not be rewritten.");
  // Links in the way are reported but are not the pack's: they do not keep
  // the record, and the removal is complete without them.
  const bool complete = report.complete() && recorded;
  if (complete && steps.after_complete) steps.after_complete();
  return end(complete ? exit_reason::success : exit_reason::removal_incomplete, removal_summary(report));
}

}  // namespace installer
