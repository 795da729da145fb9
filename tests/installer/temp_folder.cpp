#include "temp_folder.h"

#include <algorithm>
#include <random>
#include <string>
#include <system_error>

namespace installer::testing {

hbsdk::filesystem::file_path to_file_path(const std::filesystem::path& path) {
  return hbsdk::filesystem::file_path(std::u16string_view(path.generic_u16string()));
}

std::filesystem::path to_std_path(const hbsdk::filesystem::file_path& path) {
  std::u16string text = path.text();
  std::replace(text.begin(), text.end(), u'\\', u'/');
  return std::filesystem::path(text);
}

temp_folder::temp_folder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("hb-installer-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(path_));
}

temp_folder::~temp_folder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace installer::testing
