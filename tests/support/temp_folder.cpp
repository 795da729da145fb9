#include "support/temp_folder.h"

#include <algorithm>
#include <random>
#include <system_error>

#include "hbsdk/filesystem/std_path.h"

namespace hb_test {

temp_folder::temp_folder() {
  // A random name, retried until it is new: test executables run in parallel.
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("hb-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(path_));
}

temp_folder::~temp_folder() {
  std::error_code error;
  // Read-only files cannot be removed on Windows: give write access back first.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                                 error);
  }
  std::filesystem::remove_all(path_, error);
}

hbsdk::filesystem::file_path temp_folder::file_path() const { return hbsdk::filesystem::from_std_path(path_); }

std::vector<std::string> temp_folder::entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_)) {
    names.push_back(hbsdk::filesystem::utf8_text(entry.path().lexically_relative(path_)));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace hb_test
