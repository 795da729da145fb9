#include "installer/install_steps.h"

#include "installer/asset_library.h"
#include "installer/install_log.h"
#include "installer/record_keeper.h"
#include "installer/record_location.h"
#include "installer/registration.h"
#include "installer/payload/archive_extractor.h"
#include "installer/payload/archive_size.h"

namespace installer {

namespace {

// Passes what the extraction engine reports on to the tracker.
class tracker_observer final : public archive_extractor::observer {
public:
  explicit tracker_observer(install_tracker& tracker) : tracker_(tracker) {}

  void reading(table_item item, std::uint32_t /*number*/) override {
    kind_ = item == table_item::directory_record ? install_tracker::entry_kind::directory
                                                 : install_tracker::entry_kind::file;
  }
  void entering(std::string_view name) override { tracker_.entering(kind_, name); }
  void consumed(std::uint64_t /*compressed_bytes*/) override {}
  void written(std::uint64_t bytes) override { tracker_.add_written(bytes); }
  void completed() override { tracker_.completed(); }
  void finished(const finished_entry& entry) override {
    try {
      if (entry.directory) {
        tracker_.directory_made(entry.created);
      } else {
        tracker_.file_written(entry.size, entry.last_write, entry.crc32);
      }
    } catch (...) {
      // No memory for one more line of the record: the run goes on, and the
      // record lacks the entry (its removal then leaves it in place).
    }
  }
  bool wants_checksums() const override { return true; }
  void system_error(int error) override { tracker_.set_system_error(error); }

private:
  install_tracker& tracker_;
  install_tracker::entry_kind kind_ = install_tracker::entry_kind::file;
};

}  // namespace

std::int32_t extract_with_progress(const std::uint8_t* archive, std::uint64_t length,
                                   const hbsdk::filesystem::file_path& target, install_tracker& tracker) {
  if (const auto size = measure_archive(archive, length)) tracker.set_totals(size->bytes, size->files);
  tracker_observer observer(tracker);
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
  return {
      [](const hbsdk::filesystem::file_path& target) { record_asset_library(asset_library_value, target); },
      &find_payload,
      &extract_with_progress,
      &keep_platform_record,
  };
}

}  // namespace installer
