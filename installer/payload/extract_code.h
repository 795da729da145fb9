#pragma once
// The small codes extraction returns, each with a name, and the one function
// that turns a code into a sentence. The install worker multiplies a non-zero
// code by ten, so no code is 10 (its 100 means "payload missing").

#include <cstdint>

namespace installer {

enum class extract_code : std::int32_t {
  ok = 0,
  bad_magic = 11,                // not the magic, or shorter than the 8-byte header
  file_table_overrun = 12,       // a file record (or the file count) lies outside the archive
  data_outside_archive = 13,     // a file's compressed bytes lie outside the archive
  name_not_utf8 = 14,            // a name is not valid UTF-8
  unsafe_name = 15,              // a name would leave the target folder, or is empty or unusable
  bad_target = 16,               // the target folder is empty or not an absolute path
  out_of_memory = 17,            // memory for a path could not be allocated
  link_in_the_way = 18,          // a symbolic link, junction or other reparse point stands where a directory
                                 // or file below the target goes; nothing was written through it
  cannot_open_output = 20,
  inflate_failed = 22,
  write_failed = 23,             // a write or the final close of an output file failed
  data_exhausted = 24,           // the compressed size was used up before the stream ended
  directory_table_overrun = 30,  // a directory record (or the directory count) lies outside the archive
  inflate_init_failed = 100,
};

constexpr std::int32_t to_int(extract_code code) noexcept { return static_cast<std::int32_t>(code); }

// A short English sentence for a code; unknown codes get a sentence that says so.
const char* extract_message(std::int32_t code) noexcept;

}  // namespace installer
