#pragma once
// What one installation put below its target folder, as the removal needs
// it: the pack's version, the target, every directory the run created (not
// those that were there before: other packs and the plug-in share them) and
// every file with its size, last-write time and CRC-32 as written.
//
// Kept as a small UTF-8 text file, one item a line, so that an administrator
// can read it and a damaged one is easy to see; the first line names the
// format and its version, so a later installer can tell a record it does not
// know from one it does and refuse it instead of misreading it:
//   tidewater-kit-record 1
//   version 0.1.0
//   target /home/ann/Documents
//   directory Halbrook/Tidewater Kit
//   file 1024 1700000000 89abcdef Halbrook/Tidewater Kit/read me.txt
// Names are relative to the target with slash separators; in the target and
// the names, "%", a line feed and a carriage return are written %25, %0A, %0D.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hbsdk/filesystem/file_path.h"

namespace installer {

struct recorded_file {
  std::string name;  // relative to the target, UTF-8, slash separators
  std::uint64_t size = 0;
  std::uint64_t last_write = 0;  // whole seconds since 1970 (UTC)
  std::uint32_t crc32 = 0;
  friend bool operator==(const recorded_file&, const recorded_file&) = default;
};

struct installation_record {
  std::string version;
  hbsdk::filesystem::file_path target;
  std::vector<std::string> directories;  // parents before their children
  std::vector<recorded_file> files;

  bool empty() const noexcept { return directories.empty() && files.empty(); }
  friend bool operator==(const installation_record&, const installation_record&) = default;
};

inline constexpr std::string_view record_format_line = "tidewater-kit-record 1";

std::string format_record(const installation_record& record);

// Reads a record written by format_record. Nothing, with error set to one
// sentence, when the text is not a record of this format version or a line
// is malformed: a record that cannot be read whole is never half used.
std::optional<installation_record> parse_record(std::string_view text, std::string& error);

}  // namespace installer
