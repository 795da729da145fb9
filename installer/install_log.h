#pragma once
// A log file an installation writes as it goes. The file is opened the way
// extraction opens its files: the folder by its path, then the file by its
// name inside that folder, never through a link at the name. Each line is
// written to the system in one call as soon as it is given, so a run killed
// half-way leaves a readable log. The user-interface thread and the worker
// may both write lines; a mutex keeps lines whole and in order.

#include <mutex>
#include <string_view>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/file_path.h"

namespace installer {

class install_log {
public:
  // Creates or empties file. False, with nothing written, when file is not
  // an absolute path, its folder cannot be opened, or something other than
  // a plain file stands at its name (a link among them).
  bool open(const hbsdk::filesystem::file_path& file);
  bool is_open() const;

  // Writes "YYYY-MM-DD HH:MM:SS text" (UTC) and a line feed; line breaks
  // inside text become spaces. Nothing happens when the log is not open; a
  // write that fails is not retried.
  void line(std::string_view text);

  // The system's error number of the last open or write that failed, 0 when none.
  int last_error() const;

private:
  mutable std::mutex mutex_;
  hbsdk::filesystem::output_file file_;
  int error_ = 0;
};

}  // namespace installer
