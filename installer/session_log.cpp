#include "installer/session_log.h"

#include <cstdio>

#include "hbsdk/filesystem/display_text.h"
#include "installer/failure_reason.h"

#ifndef HB_VERSION_TEXT
#define HB_VERSION_TEXT "unknown"
#endif

namespace installer {

namespace {

std::string switches_of(const command_line& line) {
  std::string text;
  const auto add = [&](const std::string& item) { text += (text.empty() ? "" : " ") + item; };
  if (line.uninstall) add("uninstall");
  if (line.mode == run_mode::silent) add("silent");
  if (line.mode == run_mode::very_silent) add("very silent");
  if (line.destination) add("dir=" + hbsdk::filesystem::display_text(*line.destination));
  if (line.log_file) add("log=" + hbsdk::filesystem::display_text(*line.log_file));
  return text.empty() ? "none" : text;
}

}  // namespace

session_log::session_log(const command_line& line, const hbsdk::filesystem::file_path& destination,
                         const std::string& source) {
  if (!line.log_file) return;
  asked_ = true;
  if (!log_.open(*line.log_file)) return;
  log_.line(std::string("Tidewater Kit Pack Installer ") + HB_VERSION_TEXT);
  log_.line("Switches: " + switches_of(line));
  log_.line("Destination: " + hbsdk::filesystem::display_text(destination) + " (" + source + ")");
}

void session_log::finish(const install_outcome& outcome, int exit_code) {
  if (!log_.is_open()) return;
  if (outcome.kind == failure_kind::none && outcome.status == 2) {
    log_.line("Outcome: installed");
  } else if (outcome.status == 0) {
    // Refused by the checks before a run (no folder, too little space): no
    // status to report.
    log_.line("Outcome: failed before the run started: " + failure_reason(outcome));
  } else {
    log_.line("Outcome: failed with status " + std::to_string(outcome.status) + ": " + failure_reason(outcome));
  }
  const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f", elapsed);
  log_.line("Exit code: " + std::to_string(exit_code) + " after " + seconds + " s");
}

}  // namespace installer
