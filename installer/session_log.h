#pragma once
// The log of one start of the installer, when the command line names one
// (never otherwise): a header with the program's version, the switches and
// the destination with how it was found; the worker's own lines; and at the
// end the outcome, the exit code and the time taken.

#include <chrono>
#include <string>

#include "installer/command_line.h"
#include "installer/install_log.h"
#include "installer/install_outcome.h"

namespace installer {

class session_log {
public:
  // Opens the file of line.log_file (nothing when there is none) and writes
  // the header. The file name is absolute by now.
  session_log(const command_line& line, const hbsdk::filesystem::file_path& destination, const std::string& source);

  // False when a log was asked for but could not be opened.
  bool usable() const noexcept { return !asked_ || log_.is_open(); }
  // The log the worker writes to, or none.
  install_log* log() noexcept { return log_.is_open() ? &log_ : nullptr; }

  void line(const std::string& text) { log_.line(text); }
  // The last lines: the outcome (with its reason) and the exit code.
  void finish(const install_outcome& outcome, int exit_code);

private:
  install_log log_;
  bool asked_ = false;
  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

}  // namespace installer
