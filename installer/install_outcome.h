#pragma once
// What one installation run reports besides its status: how far it is while
// it runs, and once it is done, what stopped it. The worker publishes both
// through System; the wizard, the silent modes and the log read them there.

#include <cstdint>
#include <string>

namespace installer {

// A snapshot of a run in progress. Totals are known once the payload's tables
// have been read; before that they are 0.
struct install_progress {
  std::uint64_t bytes_done = 0;   // uncompressed bytes written so far
  std::uint64_t bytes_total = 0;  // uncompressed bytes of the whole pack
  std::uint32_t files_done = 0;
  std::uint32_t files_total = 0;
};

// The classes of failure a person or a deployment tool can act on.
enum class failure_kind {
  none,             // the run succeeded
  disk_full,        // the destination's volume ran out of space
  cannot_write,     // a file or folder below the destination could not be created or written
  link_refused,     // a link, junction or hard-linked file stood in the way and was refused
  damaged_payload,  // the archive inside the installer is damaged or missing
  bad_destination,  // the destination folder is missing, relative or unusable
};

// The final report of a run; meaningful once System::done() is true.
struct install_outcome {
  std::int32_t status = 0;           // System's final status: 2 success, 100, or 10 x the extraction code
  std::int32_t extraction_code = 0;  // the extraction code, 0 on success or when no extraction ran
  std::int32_t system_error = 0;     // the system's error number beside the failure (errno or
                                     // GetLastError), 0 when there is none
  std::string name;                  // the archive name (UTF-8) of the directory or file involved, or empty
  failure_kind kind = failure_kind::none;
};

}  // namespace installer
