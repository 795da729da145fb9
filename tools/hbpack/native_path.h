#pragma once
// Converts a std::filesystem::path (what the tools walk folders with) into a
// file_path (what the engine and the file operations take), on either target.

#include <filesystem>
#include <string>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"

namespace hbpack {

// The path's text as UTF-8 with slash separators.
inline std::string utf8_text(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

inline hbsdk::filesystem::file_path to_file_path(const std::filesystem::path& path) {
  return hbsdk::filesystem::file_path(std::string_view(utf8_text(path)));
}

}  // namespace hbpack
