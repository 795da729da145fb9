#pragma once
// Passes what the extraction engine reports on to an install_tracker: the
// kind and name of each entry, the bytes written, each completed entry, each
// finished entry with its checksum (for the record of the installation) and
// the system's error beside a fault. A test build derives from it to act at
// a point of a run (after so many files).

#include <cstdint>
#include <string_view>

#include "installer/install_tracker.h"
#include "installer/payload/archive_extractor.h"

namespace installer {

class tracker_observer : public archive_extractor::observer {
public:
  explicit tracker_observer(install_tracker& tracker) : tracker_(tracker) {}

  void reading(table_item item, std::uint32_t number) override;
  void entering(std::string_view name) override;
  void consumed(std::uint64_t compressed_bytes) override;
  void written(std::uint64_t bytes) override;
  void completed() override;
  void finished(const finished_entry& entry) override;
  bool wants_checksums() const override { return true; }
  void system_error(int error) override;

protected:
  install_tracker& tracker() noexcept { return tracker_; }

private:
  install_tracker& tracker_;
  install_tracker::entry_kind kind_ = install_tracker::entry_kind::file;
};

}  // namespace installer
