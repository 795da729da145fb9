#include "installer/payload/archive_reader.h"

namespace installer {
namespace {

// Little-endian, byte by byte: the 64-bit fields sit at odd addresses.
std::uint64_t read_le(const std::uint8_t* bytes, int width) noexcept {
  std::uint64_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

}  // namespace

archive_reader::archive_reader(const std::uint8_t* archive, std::uint64_t length) noexcept
    : archive_(archive), length_(archive == nullptr ? 0 : length) {}

std::uint32_t archive_reader::take_u32() noexcept {
  const auto value = static_cast<std::uint32_t>(read_le(archive_ + position_, 4));
  position_ += 4;
  return value;
}

std::uint64_t archive_reader::take_u64() noexcept {
  const std::uint64_t value = read_le(archive_ + position_, 8);
  position_ += 8;
  return value;
}

std::string_view archive_reader::take_name(std::uint32_t length) noexcept {
  const std::string_view name(reinterpret_cast<const char*>(archive_ + position_), length);
  position_ += length;
  return name;
}

extract_code archive_reader::read_header() noexcept {
  position_ = 0;
  if (!fits(header_size) || take_u32() != magic) return extract_code::bad_magic;
  directory_count_ = take_u32();
  return extract_code::ok;
}

extract_code archive_reader::read_directory(directory_record& record) noexcept {
  if (!fits(4)) return extract_code::directory_table_overrun;
  const std::uint64_t start = position_;
  const std::uint32_t name_length = take_u32();
  if (!fits(name_length)) {
    position_ = start;
    return extract_code::directory_table_overrun;
  }
  record.name = take_name(name_length);
  return extract_code::ok;
}

extract_code archive_reader::read_file_count() noexcept {
  if (!fits(4)) return extract_code::file_table_overrun;
  file_count_ = take_u32();
  return extract_code::ok;
}

extract_code archive_reader::read_file(file_record& record) noexcept {
  if (!fits(4)) return extract_code::file_table_overrun;
  const std::uint64_t start = position_;
  const std::uint32_t name_length = take_u32();
  if (!fits(std::uint64_t{name_length} + file_fixed_size)) {
    position_ = start;
    return extract_code::file_table_overrun;
  }
  record.name = take_name(name_length);
  record.uncompressed_size = take_u32();
  record.compressed_size = take_u32();
  record.data_offset = take_u32();
  record.creation_time = take_u64();
  record.last_write_time = take_u64();
  return extract_code::ok;
}

extract_code archive_reader::locate_data(const file_record& record, const std::uint8_t*& data) const noexcept {
  // Both fields are 32-bit, so the 64-bit sum cannot wrap.
  if (std::uint64_t{record.data_offset} + record.compressed_size > length_) return extract_code::data_outside_archive;
  data = archive_ + record.data_offset;
  return extract_code::ok;
}

}  // namespace installer
