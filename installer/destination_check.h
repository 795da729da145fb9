#pragma once
// What keeps a run from starting before it starts: no folder found, or a
// volume with less free space than the pack needs.

#include <cstdint>
#include <optional>
#include <string>

#include "hbsdk/filesystem/file_path.h"
#include "installer/exit_codes.h"

namespace installer {

struct destination_check {
  exit_reason reason = exit_reason::success;  // success: nothing stands in the way
  std::string text;                           // what stands in the way, for the summary page and the log

  bool ok() const noexcept { return reason == exit_reason::success; }
};

// pack_bytes and free_bytes are nothing when they cannot be told; a run is
// then not held back.
destination_check check_destination(const hbsdk::filesystem::file_path& folder,
                                    std::optional<std::uint64_t> pack_bytes,
                                    std::optional<std::uint64_t> free_bytes);

}  // namespace installer
