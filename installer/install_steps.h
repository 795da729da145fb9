#pragma once
// The three steps of one installation, as System runs them: record the target
// folder, find the payload, extract it. The installer uses the platform's
// steps; tests substitute their own to hold a run at any point.

#include <cstdint>
#include <functional>
#include <optional>

#include "hbsdk/filesystem/file_path.h"
#include "installer/payload_locator.h"

namespace installer {

struct install_steps {
  // Failures are silent; the run goes on without the record.
  std::function<void(const hbsdk::filesystem::file_path& target)> record_folder;
  std::function<std::optional<payload_view>()> find_payload;
  // Returns an extraction code: 0 on success.
  std::function<std::int32_t(const std::uint8_t* archive, std::uint64_t length,
                             const hbsdk::filesystem::file_path& target)>
      extract;
};

// Records the folder as the asset library, finds the payload inside this
// executable and extracts it with extract_archive.
install_steps platform_install_steps();

}  // namespace installer
