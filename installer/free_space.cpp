#include "installer/free_space.h"

#include <filesystem>
#include <system_error>

#include "hbsdk/filesystem/std_path.h"

namespace installer {

std::optional<std::uint64_t> free_space(const hbsdk::filesystem::file_path& folder) {
  std::error_code error;
  const auto info = std::filesystem::space(hbsdk::filesystem::to_std_path(folder), error);
  if (error) return std::nullopt;
  return static_cast<std::uint64_t>(info.available);
}

}  // namespace installer
