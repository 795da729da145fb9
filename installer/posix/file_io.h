#pragma once
// Whole-file reads and crash-safe whole-file replacement for the small text
// files the installer keeps on Linux.

#include <string>
#include <string_view>

namespace installer {

struct file_contents {
  enum class result { read, missing, failed };
  result outcome = result::failed;
  std::string text;
};

// Reads the whole file. missing when it does not exist; failed when it exists
// but cannot be read (no permission, a folder, an I/O error).
file_contents read_whole_file(const std::string& path);

// Replaces the file at path with text so that no reader, and no crash, ever
// sees it half written: the text goes to a new temporary file beside it, is
// flushed to disk and is then renamed over path. Missing parent folders are
// created. An existing file keeps its permissions; a new one gets 0644. False
// on any failure, in which case the temporary file is gone and path is as it
// was.
bool replace_file_atomically(const std::string& path, std::string_view text);

}  // namespace installer
