#include "installer/destination_check.h"

namespace installer {

namespace {

std::string megabytes(std::uint64_t bytes) {
  // Rounded up, so a shortfall of a few bytes never reads as "0 MB needed".
  return std::to_string((bytes + 1048575) / 1048576) + " MB";
}

}  // namespace

destination_check check_destination(const hbsdk::filesystem::file_path& folder,
                                    std::optional<std::uint64_t> pack_bytes,
                                    std::optional<std::uint64_t> free_bytes) {
  if (folder.empty()) {
    return {exit_reason::bad_destination,
            "No folder was found to install into. Set the ORRERY_USER_PATH variable to a folder, or give one "
            "with the destination switch."};
  }
  if (pack_bytes && free_bytes && *free_bytes < *pack_bytes) {
    return {exit_reason::disk_full, "There is not enough free space: the pack needs " + megabytes(*pack_bytes) +
                                        ", and the folder's drive has " + megabytes(*free_bytes) + " free."};
  }
  return {};
}

}  // namespace installer
