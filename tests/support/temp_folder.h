#pragma once
// A fresh, empty folder below the system's temporary folder for one test,
// removed with everything in it (read-only entries included) when the test
// ends. Shared by the test executables of every module.

#include <filesystem>
#include <string>
#include <vector>

#include "hbsdk/filesystem/file_path.h"

namespace hb_test {

class temp_folder {
public:
  temp_folder();
  ~temp_folder();
  temp_folder(const temp_folder&) = delete;
  temp_folder& operator=(const temp_folder&) = delete;

  const std::filesystem::path& path() const noexcept { return path_; }
  hbsdk::filesystem::file_path file_path() const;
  // Every entry below the folder, as sorted relative names with slashes.
  std::vector<std::string> entries() const;

private:
  std::filesystem::path path_;
};

}  // namespace hb_test
