#pragma once
// Walks the byte layout of a payload archive in place: the magic, the
// directory records, the file count and the file records, in that order. Every
// read is checked against the archive's length first, so no input makes it
// read outside the archive; sums are taken in 64 bits and cannot overflow.

#include <cstdint>
#include <string_view>

#include "installer/payload/extract_code.h"

namespace installer {

struct directory_record {
  std::string_view name;  // UTF-8 as stored, no terminating zero
};

struct file_record {
  std::string_view name;
  std::uint32_t uncompressed_size = 0;
  std::uint32_t compressed_size = 0;
  std::uint32_t data_offset = 0;  // from the archive's first byte
  std::uint64_t creation_time = 0;
  std::uint64_t last_write_time = 0;
};

class archive_reader {
public:
  static constexpr std::uint32_t magic = 0x1A5E6268;  // the bytes 68 62 5E 1A
  static constexpr std::uint64_t header_size = 8;     // magic and directory count
  static constexpr std::uint64_t file_fixed_size = 28;

  archive_reader(const std::uint8_t* archive, std::uint64_t length) noexcept;

  // Checks the magic and reads the directory count: bad_magic when the
  // archive is shorter than its header or starts with other bytes.
  extract_code read_header() noexcept;
  // The next directory record: directory_table_overrun when it runs past the end.
  extract_code read_directory(directory_record& record) noexcept;
  // After the last directory record: file_table_overrun when the count runs past the end.
  extract_code read_file_count() noexcept;
  // The next file record: file_table_overrun when it runs past the end.
  extract_code read_file(file_record& record) noexcept;
  // The first byte of a record's stream: data_outside_archive when any of its
  // compressed bytes lie past the end.
  extract_code locate_data(const file_record& record, const std::uint8_t*& data) const noexcept;

  std::uint32_t directory_count() const noexcept { return directory_count_; }
  std::uint32_t file_count() const noexcept { return file_count_; }
  std::uint64_t position() const noexcept { return position_; }

private:
  bool fits(std::uint64_t count) const noexcept { return count <= length_ - position_; }
  std::uint32_t take_u32() noexcept;
  std::uint64_t take_u64() noexcept;
  std::string_view take_name(std::uint32_t length) noexcept;

  const std::uint8_t* archive_;
  std::uint64_t length_;
  std::uint64_t position_ = 0;  // never beyond length_
  std::uint32_t directory_count_ = 0;
  std::uint32_t file_count_ = 0;
};

}  // namespace installer
