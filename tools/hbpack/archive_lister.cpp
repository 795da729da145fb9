#include "tools/hbpack/archive_lister.h"

#include "installer/payload/archive_reader.h"
#include "tools/hbpack/printable_name.h"
#include "tools/hbpack/time_text.h"

namespace hbpack {
using installer::extract_code;

namespace {

bool report(extract_code code, const installer::archive_reader& reader, std::ostream& out) {
  if (code == extract_code::ok) return true;
  out << "error: " << installer::extract_message(to_int(code)) << " (code " << to_int(code) << ", at byte "
      << reader.position() << ")\n";
  return false;
}

}  // namespace

bool list_archive(std::span<const std::uint8_t> archive, std::ostream& out) {
  installer::archive_reader reader(archive.data(), archive.size());
  if (!report(reader.read_header(), reader, out)) return false;
  for (std::uint32_t i = 0; i < reader.directory_count(); ++i) {
    installer::directory_record record;
    if (!report(reader.read_directory(record), reader, out)) return false;
    out << "dir   " << printable_name(record.name) << '\n';
  }
  if (!report(reader.read_file_count(), reader, out)) return false;
  std::uint64_t unpacked = 0;
  std::uint64_t packed = 0;
  for (std::uint32_t i = 0; i < reader.file_count(); ++i) {
    installer::file_record record;
    if (!report(reader.read_file(record), reader, out)) return false;
    out << "file  " << printable_name(record.name) << "  size " << record.uncompressed_size << "  packed " << record.compressed_size
        << "  offset " << record.data_offset << "  created " << utc_text(record.creation_time) << "  written "
        << utc_text(record.last_write_time) << '\n';
    unpacked += record.uncompressed_size;
    packed += record.compressed_size;
  }
  out << reader.directory_count() << " directories, " << reader.file_count() << " files, " << unpacked
      << " bytes, " << packed << " bytes packed\n";
  return true;
}

}  // namespace hbpack
