#pragma once
// Reads, writes and removes the record file, through the same handle-based
// file operations as extraction: the record's folder is opened by its path
// (made first when missing), the file by its name inside it, never through a
// link. A write goes to "<name>.new" beside it, is flushed to disk and is
// then renamed over the record, so no reader and no crash ever sees half a
// record.

#include <optional>
#include <string>

#include "hbsdk/filesystem/file_path.h"
#include "installer/installation_record.h"

namespace installer {

struct record_read {
  enum class result { read, missing, failed };
  result outcome = result::failed;
  installation_record record;  // when read
  std::string error;           // when failed: why, in one sentence
};

record_read read_record_file(const hbsdk::filesystem::file_path& file);

// Replaces the record file with record; an empty record removes the file
// instead. False, with the file as it was, on any failure.
bool write_record_file(const hbsdk::filesystem::file_path& file, const installation_record& record);

// Removes the record file; true also when there was none.
bool remove_record_file(const hbsdk::filesystem::file_path& file);

}  // namespace installer
