#pragma once
// The installation log a user asked for: one file, lines written as the run
// goes, so a run that is killed leaves what it wrote so far.

#include <mutex>
#include <string_view>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/file_path.h"

namespace installer {

class install_log {
public:
  // Creates or replaces the file. False when it cannot be opened.
  bool open(const hbsdk::filesystem::file_path& file);
  // Writes one line; nothing when the log is not open. Any thread may call it.
  void line(std::string_view text);
  bool is_open() const noexcept { return file_.is_open(); }

private:
  std::mutex mutex_;
  hbsdk::filesystem::output_file file_;
};

}  // namespace installer
