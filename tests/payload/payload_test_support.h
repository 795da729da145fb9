#pragma once
// Helpers shared by the payload tests: a little-endian byte builder for
// hand-made archives, zlib streams, whole-file reads and writes.

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "hbsdk/filesystem/file_path.h"
#include "support/temp_folder.h"
#include "installer/payload/extract_code.h"

namespace installer {
// Shows a code in test failures as its number and meaning.
inline void PrintTo(extract_code code, std::ostream* out) {
  *out << to_int(code) << " (" << extract_message(to_int(code)) << ")";
}
}  // namespace installer

namespace payload_test {

using bytes = std::vector<std::uint8_t>;

bytes bytes_of(std::string_view text);
std::string text_of(const bytes& data);
// One zlib stream (level 9) of the text.
bytes zlib_of(std::string_view text);
// Deterministic bytes that barely compress.
std::string noise(std::size_t size, std::uint32_t seed = 1);

using hb_test::temp_folder;

std::string read_text(const std::filesystem::path& file);
void write_text(const std::filesystem::path& file, std::string_view text);

// Appends little-endian fields, for archives with broken layouts.
class byte_builder {
public:
  byte_builder& u32(std::uint32_t value);
  byte_builder& u64(std::uint64_t value);
  byte_builder& text(std::string_view value);
  byte_builder& raw(const bytes& value);
  byte_builder& magic() { return u32(0x1A5E6268); }
  // A name: its length, then its bytes.
  byte_builder& name(std::string_view value) { return u32(static_cast<std::uint32_t>(value.size())).text(value); }
  // The fixed part of a file record.
  byte_builder& fixed(std::uint32_t size, std::uint32_t packed, std::uint32_t offset, std::uint64_t creation = 0,
                      std::uint64_t last_write = 0);
  std::size_t size() const noexcept { return data_.size(); }
  const bytes& data() const noexcept { return data_; }

private:
  bytes data_;
};

}  // namespace payload_test
