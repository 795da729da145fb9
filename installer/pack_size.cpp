#include "installer/pack_size.h"

#include "installer/payload/archive_reader.h"

namespace installer {

std::optional<std::uint64_t> pack_size(const std::uint8_t* archive, std::uint64_t length) {
  if (archive == nullptr) return std::nullopt;
  archive_reader reader(archive, length);
  if (reader.read_header() != extract_code::ok) return std::nullopt;
  directory_record directory;
  for (std::uint32_t i = 0; i < reader.directory_count(); ++i) {
    if (reader.read_directory(directory) != extract_code::ok) return std::nullopt;
  }
  if (reader.read_file_count() != extract_code::ok) return std::nullopt;
  std::uint64_t total = 0;
  file_record file;
  for (std::uint32_t i = 0; i < reader.file_count(); ++i) {
    if (reader.read_file(file) != extract_code::ok) return std::nullopt;
    total += file.uncompressed_size;  // at most 2^32 files of under 2^32 bytes: no overflow
  }
  return total;
}

}  // namespace installer
