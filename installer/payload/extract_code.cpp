#include "installer/payload/extract_code.h"

namespace installer {

const char* extract_message(std::int32_t code) noexcept {
  switch (static_cast<extract_code>(code)) {
    case extract_code::ok: return "every directory and file was processed";
    case extract_code::bad_magic: return "the archive does not start with the magic, or is shorter than its header";
    case extract_code::file_table_overrun: return "a file record lies outside the archive";
    case extract_code::data_outside_archive: return "a file's compressed data lies outside the archive";
    case extract_code::name_not_utf8: return "a name in the archive is not valid UTF-8";
    case extract_code::unsafe_name:
      return "a name in the archive is not a plain relative path below the target folder";
    case extract_code::bad_target: return "the target folder is empty or not an absolute path";
    case extract_code::out_of_memory: return "there is not enough memory to build a path";
    case extract_code::link_in_the_way:
      return "a link or other reparse point stands where a directory or file goes below the target folder";
    case extract_code::cannot_open_output: return "an output file cannot be opened";
    case extract_code::inflate_failed: return "inflate reported an error";
    case extract_code::write_failed: return "writing to the output file failed";
    case extract_code::data_exhausted: return "the compressed size was used up before the stream ended";
    case extract_code::directory_table_overrun: return "a directory record lies outside the archive";
    case extract_code::inflate_init_failed: return "the inflate stream cannot be initialised";
  }
  return "unknown extraction code";
}

}  // namespace installer
