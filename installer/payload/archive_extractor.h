#pragma once
// The extraction engine: walks a payload archive in place, creates its
// directories below the target folder and writes and stamps its files, one
// output file and one inflate stream at a time. The first fault ends the run
// with its code; nothing is rolled back. extract_archive is a thin wrapper;
// tools use this class directly to watch the progress of the same run.

#include <cstdint>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"
#include "installer/payload/archive_reader.h"
#include "installer/payload/chunked_inflater.h"
#include "installer/payload/extract_code.h"
#include "installer/payload/target_folder.h"

namespace installer {

class archive_extractor {
public:
  // Told which entry the run is at and how many compressed bytes each step
  // took in, for a progress display and for naming the entry a fault stopped
  // at; it must not throw.
  class observer {
  public:
    virtual ~observer() = default;
    // The UTF-8 name of the directory or file record about to be processed.
    virtual void entering(std::string_view name) = 0;
    virtual void consumed(std::uint64_t compressed_bytes) = 0;
  };

  archive_extractor(const std::uint8_t* archive, std::uint64_t length, hbsdk::filesystem::file_path target,
                    observer* watcher = nullptr);

  // Runs the whole extraction once. Never throws.
  extract_code run() noexcept;

private:
  extract_code extract();
  extract_code extract_directory(target_folder& target, const directory_record& record);
  extract_code extract_file(target_folder& target, const archive_reader& reader, const file_record& record);

  const std::uint8_t* archive_;
  std::uint64_t length_;
  hbsdk::filesystem::file_path target_;
  observer* watcher_;
  chunked_inflater inflater_;
};

}  // namespace installer
