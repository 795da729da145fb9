#pragma once
// Conversions between std::filesystem::path, which the developer tools and
// the tests walk folders with, and file_path, which the engine takes. They
// hold on both targets: file_path keeps backslashes, std::filesystem::path
// is given slashes, which every platform accepts.

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"

namespace hbsdk::filesystem {

// The path's text as UTF-8 with slash separators.
inline std::string utf8_text(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

inline file_path from_std_path(const std::filesystem::path& path) {
  return file_path(std::string_view(utf8_text(path)));
}

inline std::filesystem::path to_std_path(const file_path& path) {
  std::u16string text = path.text();
  std::replace(text.begin(), text.end(), u'\\', u'/');
  return std::filesystem::path(text);
}

}  // namespace hbsdk::filesystem
