#pragma once
// The extraction engine: walks a payload archive in place, creates its
// directories below the target folder and writes and stamps its files, one
// output file and one inflate stream at a time. The first fault ends the run
// with its code; nothing is rolled back. extract_archive is a thin wrapper;
// tools use this class directly to watch the progress of the same run.

#include <cstdint>
#include <string_view>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/file_path.h"
#include "installer/payload/archive_reader.h"
#include "installer/payload/chunked_inflater.h"
#include "installer/payload/extract_code.h"
#include "installer/payload/target_folder.h"

namespace installer {

class archive_extractor {
public:
  // Told where the run is and how many compressed bytes each step took in,
  // for a progress display and for naming the place a fault stopped it at;
  // it must not throw.
  class observer {
  public:
    enum class table_item { header, directory_record, file_count, file_record };
    virtual ~observer() = default;
    // The table item about to be read (records numbered from 1 in their
    // table, 0 otherwise): a fault before the next call lies in it or in
    // the entry it names.
    virtual void reading(table_item item, std::uint32_t number) = 0;
    // The UTF-8 name of the directory or file record just read, about to be
    // processed.
    virtual void entering(std::string_view name) = 0;
    virtual void consumed(std::uint64_t compressed_bytes) = 0;
    // Uncompressed bytes just written to the current file.
    virtual void written(std::uint64_t /*bytes*/) {}
    // The entry last entered is done: its directory made (or found already
    // there), or its file written, closed and stamped.
    virtual void completed() {}
    // What a completed entry left behind, told just before completed():
    // whether a directory was created by this run (not found there), and a
    // file's size, the last-write time it was stamped with and the CRC-32 of
    // its bytes (0 unless wants_checksums).
    struct finished_entry {
      bool directory = false;
      bool created = false;
      std::uint64_t size = 0;
      std::uint64_t last_write = 0;
      std::uint32_t crc32 = 0;
    };
    virtual void finished(const finished_entry& /*entry*/) {}
    // Asked once per run: whether the files' checksums are wanted (they cost
    // a pass over every byte written).
    virtual bool wants_checksums() const { return false; }
    // The system's error number (errno or GetLastError) beside the output
    // fault that ends the run, given just before run returns; 0 when the
    // system gave none.
    virtual void system_error(int /*error*/) {}
  };

  archive_extractor(const std::uint8_t* archive, std::uint64_t length, hbsdk::filesystem::file_path target,
                    observer* watcher = nullptr);

  // Runs the whole extraction once. Never throws.
  extract_code run() noexcept;

private:
  extract_code extract();
  void reading(observer::table_item item, std::uint32_t number) const;
  extract_code extract_directory(target_folder& target, const directory_record& record);
  extract_code extract_file(target_folder& target, const archive_reader& reader, const file_record& record);
  // Tells the watcher the system's error beside an output fault, and returns code.
  extract_code output_fault(extract_code code, const hbsdk::filesystem::output_file& file) const;

  const std::uint8_t* archive_;
  std::uint64_t length_;
  hbsdk::filesystem::file_path target_;
  observer* watcher_;
  chunked_inflater inflater_;
  bool checksums_ = false;
};

}  // namespace installer
