// Broken layouts, as labelled byte strings with the code each must give. The
// reader must never look past the end: run under AddressSanitizer, every case
// is also a bounds check, since each archive sits in a buffer of its exact size.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "installer/payload/archive_reader.h"
#include "installer/payload/extract_archive.h"
#include "payload_test_support.h"

using installer::extract_code;
using namespace payload_test;

namespace {

struct layout_case {
  const char* label;
  bytes archive;
  extract_code expected;
};

std::vector<layout_case> layout_cases() {
  const bytes stream = zlib_of("data");
  const auto packed = static_cast<std::uint32_t>(stream.size());
  const std::uint32_t one_file_tables = 12 + 4 + 1 + 28;  // header, file count, one file named "f"
  return {
      {"empty", {}, extract_code::bad_magic},
      {"three bytes", bytes{0x68, 0x62, 0x5E}, extract_code::bad_magic},
      {"magic only", byte_builder().magic().data(), extract_code::bad_magic},
      {"seven bytes", byte_builder().magic().text("\0\0\0").data(), extract_code::bad_magic},
      {"directory count past the end", byte_builder().magic().u32(1).data(), extract_code::directory_table_overrun},
      {"directory name length cut", byte_builder().magic().u32(1).text("\x05\0").data(),
       extract_code::directory_table_overrun},
      {"directory name past the end", byte_builder().magic().u32(1).u32(10).text("abc").data(),
       extract_code::directory_table_overrun},
      {"directory name length 4 GiB", byte_builder().magic().u32(1).u32(0xFFFF'FFFF).text("abc").data(),
       extract_code::directory_table_overrun},
      {"directory count too high", byte_builder().magic().u32(0xFFFF'FFFF).name("d").data(),
       extract_code::directory_table_overrun},
      {"no file count", byte_builder().magic().u32(0).data(), extract_code::file_table_overrun},
      {"file count cut", byte_builder().magic().u32(0).text("\x01\0").data(), extract_code::file_table_overrun},
      {"file count past the records", byte_builder().magic().u32(0).u32(1).data(), extract_code::file_table_overrun},
      {"file name past the end", byte_builder().magic().u32(0).u32(1).u32(50).text("abc").data(),
       extract_code::file_table_overrun},
      {"fixed part one byte short",
       [] {
         bytes b = byte_builder().magic().u32(0).u32(1).name("f").fixed(0, 0, 0).data();
         b.pop_back();
         return b;
       }(),
       extract_code::file_table_overrun},
      {"file name length 4 GiB", byte_builder().magic().u32(0).u32(1).u32(0xFFFF'FFFF).fixed(0, 0, 0).data(),
       extract_code::file_table_overrun},
      {"data past the end",
       byte_builder().magic().u32(0).u32(1).name("f").fixed(4, packed + 1, one_file_tables).raw(stream).data(),
       extract_code::data_outside_archive},
      {"data offset at the end",
       byte_builder().magic().u32(0).u32(1).name("f").fixed(4, 1, one_file_tables).data(),
       extract_code::data_outside_archive},
      {"offset and size that wrap in 32 bits",
       byte_builder().magic().u32(0).u32(1).name("f").fixed(4, 0xFFFF'FFFF, 0xFFFF'FFFF).raw(stream).data(),
       extract_code::data_outside_archive},
      {"offset wrapping onto the stream",
       byte_builder().magic().u32(0).u32(1).name("f").fixed(4, packed, 0xFFFF'FFFF - 10).raw(stream).data(),
       extract_code::data_outside_archive},
      {"stream ending at the last byte",
       byte_builder().magic().u32(0).u32(1).name("f").fixed(4, packed, one_file_tables).raw(stream).data(),
       extract_code::ok},
      {"stream read from the table itself",
       byte_builder().magic().u32(0).u32(1).name("f").fixed(4, 8, 4).data(), extract_code::inflate_failed},
      {"second record past the end",
       byte_builder().magic().u32(0).u32(2).name("f").fixed(0, 0, 0).name("g").data(), extract_code::file_table_overrun},
  };
}

// The archive in a heap block of exactly its size, so that any read past the
// end is caught by AddressSanitizer.
std::unique_ptr<std::uint8_t[]> exact_copy(const bytes& archive) {
  auto copy = std::make_unique<std::uint8_t[]>(archive.size());
  std::copy(archive.begin(), archive.end(), copy.get());
  return copy;
}

}  // namespace

TEST(archive_layout, every_fault_has_its_code_and_nothing_is_read_past_the_end) {
  for (const auto& c : layout_cases()) {
    SCOPED_TRACE(c.label);
    const auto copy = exact_copy(c.archive);
    temp_folder target;
    EXPECT_EQ(static_cast<extract_code>(installer::extract_archive(copy.get(), c.archive.size(), target.file_path())),
              c.expected);
  }
}

TEST(archive_layout, a_file_with_data_outside_is_not_created) {
  const bytes archive =
      byte_builder().magic().u32(1).name("d").u32(2).name("d/ok").fixed(0, 0, 0).name("d/bad").fixed(4, 9, 500).data();
  temp_folder target;
  EXPECT_EQ(static_cast<extract_code>(installer::extract_archive(archive.data(), archive.size(), target.file_path())),
            extract_code::data_outside_archive);
  EXPECT_EQ(target.entries(), (std::vector<std::string>{"d", "d/ok"}));
}

TEST(archive_reader, reads_fields_at_odd_positions) {
  // A three-byte name puts the 64-bit times at odd addresses.
  const bytes archive = byte_builder()
                            .magic()
                            .u32(1)
                            .name("dir")
                            .u32(1)
                            .name("abc")
                            .fixed(0x0102'0304, 0, 0x0A0B'0C0D, 0x1122'3344'5566'7788ull, 0x8877'6655'4433'2211ull)
                            .data();
  installer::archive_reader reader(archive.data(), archive.size());
  ASSERT_EQ(reader.read_header(), extract_code::ok);
  EXPECT_EQ(reader.directory_count(), 1u);
  installer::directory_record directory;
  ASSERT_EQ(reader.read_directory(directory), extract_code::ok);
  EXPECT_EQ(directory.name, "dir");
  ASSERT_EQ(reader.read_file_count(), extract_code::ok);
  EXPECT_EQ(reader.position(), 19u);
  installer::file_record file;
  ASSERT_EQ(reader.read_file(file), extract_code::ok);
  EXPECT_EQ(file.name, "abc");
  EXPECT_EQ(file.uncompressed_size, 0x0102'0304u);
  EXPECT_EQ(file.data_offset, 0x0A0B'0C0Du);
  EXPECT_EQ(file.creation_time, 0x1122'3344'5566'7788ull);
  EXPECT_EQ(file.last_write_time, 0x8877'6655'4433'2211ull);
  EXPECT_EQ(reader.position(), archive.size());
}
