#pragma once
// A new, empty folder below the system's temporary folder for one test,
// removed with all it holds when the test ends.

#include <filesystem>

#include "hbsdk/filesystem/file_path.h"

namespace installer::testing {

// The same place as a file_path (backslashes, as the installer holds it) and
// as a std::filesystem::path, on both targets.
hbsdk::filesystem::file_path to_file_path(const std::filesystem::path& path);
std::filesystem::path to_std_path(const hbsdk::filesystem::file_path& path);

class temp_folder {
public:
  temp_folder();
  ~temp_folder();
  temp_folder(const temp_folder&) = delete;
  temp_folder& operator=(const temp_folder&) = delete;

  const std::filesystem::path& path() const noexcept { return path_; }
  hbsdk::filesystem::file_path file_path() const { return to_file_path(path_); }

private:
  std::filesystem::path path_;
};

}  // namespace installer::testing
