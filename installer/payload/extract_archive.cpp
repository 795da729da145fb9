#include "installer/payload/extract_archive.h"

#include "hbsdk/filesystem/file_ops.h"
#include "installer/payload/archive_extractor.h"

namespace installer {

std::int32_t extract_archive(const std::uint8_t* archive, std::uint64_t length,
                             const hbsdk::filesystem::file_path& target) {
  try {
    archive_extractor extractor(archive, length, target);
    return to_int(extractor.run());
  } catch (...) {
    return to_int(extract_code::out_of_memory);  // only copying the target can throw here
  }
}

void set_file_times(const hbsdk::filesystem::file_path& path, std::uint64_t creation, std::uint64_t last_write) {
  try {
    (void)hbsdk::filesystem::stamp_file_times(path, creation, last_write);
  } catch (...) {
    // Failures to stamp are silent, including running out of memory for the path.
  }
}

}  // namespace installer
