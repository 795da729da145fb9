#include "installer/record_location.h"

#include <exception>

#include "hbsdk/filesystem/posix/posix_path.h"
#include "installer/posix/settings_location.h"

namespace installer {

std::optional<hbsdk::filesystem::file_path> record_file_location() {
  const auto file = user_file_location(record_file_variable, "XDG_DATA_HOME", "/.local/share",
                                       "/halbrook/tidewater-kit-pack.record");
  if (!file) return std::nullopt;
  try {
    return hbsdk::filesystem::from_posix(*file);
  } catch (const std::exception&) {
    return std::nullopt;  // not UTF-8
  }
}

}  // namespace installer
