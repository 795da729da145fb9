#include "installer/payload/archive_size.h"

#include "installer/payload/archive_reader.h"

namespace installer {

std::optional<archive_size> measure_archive(const std::uint8_t* archive, std::uint64_t length) noexcept {
  if (archive == nullptr) return std::nullopt;
  archive_reader reader(archive, length);
  if (reader.read_header() != extract_code::ok) return std::nullopt;
  for (std::uint32_t i = 0; i < reader.directory_count(); ++i) {
    directory_record record;
    if (reader.read_directory(record) != extract_code::ok) return std::nullopt;
  }
  if (reader.read_file_count() != extract_code::ok) return std::nullopt;
  archive_size size;
  size.files = reader.file_count();
  for (std::uint32_t i = 0; i < reader.file_count(); ++i) {
    file_record record;
    if (reader.read_file(record) != extract_code::ok) return std::nullopt;
    size.bytes += record.uncompressed_size;  // at most 2^32 files of 2^32 bytes: no overflow
  }
  return size;
}

std::optional<std::uint64_t> payload_size(const payload_view& payload) noexcept {
  const auto size = measure_archive(payload.data, payload.length);
  if (!size) return std::nullopt;
  return size->bytes;
}

}  // namespace installer
