#include "payload_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "hbsdk/filesystem/std_path.h"
#include "tools/hbpack/archive_writer.h"

namespace payload_test {

bytes bytes_of(std::string_view text) { return bytes(text.begin(), text.end()); }

std::string text_of(const bytes& data) { return std::string(data.begin(), data.end()); }

bytes zlib_of(std::string_view text) {
  return hbpack::zlib_compress(bytes_of(text), hbpack::archive_writer::best_compression);
}

std::string noise(std::size_t size, std::uint32_t seed) {
  std::string out(size, '\0');
  std::uint32_t state = seed * 2654435761u + 1;
  for (auto& c : out) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    c = static_cast<char>(state >> 24);
  }
  return out;
}

std::string read_text(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in.good()) << hbsdk::filesystem::utf8_text(file) << " cannot be read";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_text(const std::filesystem::path& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  ASSERT_TRUE(out.good()) << hbsdk::filesystem::utf8_text(file) << " cannot be written";
}

byte_builder& byte_builder::u32(std::uint32_t value) {
  for (int i = 0; i < 4; ++i) data_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return *this;
}

byte_builder& byte_builder::u64(std::uint64_t value) {
  for (int i = 0; i < 8; ++i) data_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return *this;
}

byte_builder& byte_builder::text(std::string_view value) {
  data_.insert(data_.end(), value.begin(), value.end());
  return *this;
}

byte_builder& byte_builder::raw(const bytes& value) {
  data_.insert(data_.end(), value.begin(), value.end());
  return *this;
}

byte_builder& byte_builder::fixed(std::uint32_t size, std::uint32_t packed, std::uint32_t offset,
                                  std::uint64_t creation, std::uint64_t last_write) {
  return u32(size).u32(packed).u32(offset).u64(creation).u64(last_write);
}

}  // namespace payload_test
