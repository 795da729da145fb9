#include "installer/install_steps.h"

#include "installer/asset_library.h"
#include "installer/install_log.h"
#include "installer/record_keeper.h"
#include "installer/record_location.h"
#include "installer/registration.h"
#include "installer/payload/archive_extractor.h"
#include "installer/payload/archive_size.h"
#include "installer/tracker_observer.h"

namespace installer {

std::int32_t extract_with_progress(const std::uint8_t* archive, std::uint64_t length,
                                   const hbsdk::filesystem::file_path& target, install_tracker& tracker) {
  tracker_observer observer(tracker);
  return extract_with_progress(archive, length, target, tracker, observer);
}

std::int32_t extract_with_progress(const std::uint8_t* archive, std::uint64_t length,
                                   const hbsdk::filesystem::file_path& target, install_tracker& tracker,
                                   tracker_observer& observer) {
  if (const auto size = measure_archive(archive, length)) tracker.set_totals(size->bytes, size->files);
  try {
    archive_extractor extractor(archive, length, target, &observer);
    return to_int(extractor.run());
  } catch (...) {
    return to_int(extract_code::out_of_memory);  // only copying the target can throw here
  }
}

#ifndef HB_VERSION_TEXT
#define HB_VERSION_TEXT "unknown"
#endif

namespace {

// Keeps the record of a successful installation in the platform's place.
void keep_platform_record(const installation_record& installed, install_log* log) {
  const auto file = record_file_location();
  if (!file) {
    if (log != nullptr) log->line("No place for the record of the installation was found.");
    return;
  }
  installation_record record = installed;
  record.version = HB_VERSION_TEXT;
  const record_update update = update_installation_record(*file, record);
  std::vector<std::string> lines = describe(update);
  if (update.written) {
    for (std::string& line : register_installation(record, *file)) lines.push_back(std::move(line));
  }
  if (log == nullptr) return;
  for (const std::string& line : lines) log->line(line);
}

}  // namespace

install_steps platform_install_steps() {
  using extract_function = std::int32_t (*)(const std::uint8_t*, std::uint64_t, const hbsdk::filesystem::file_path&,
                                            install_tracker&);
  return {
      [](const hbsdk::filesystem::file_path& target) { record_asset_library(asset_library_value, target); },
      &find_payload,
      static_cast<extract_function>(&extract_with_progress),
      &keep_platform_record,
  };
}

}  // namespace installer
