#include "installer/tracker_observer.h"

namespace installer {

void tracker_observer::reading(table_item item, std::uint32_t /*number*/) {
  kind_ = item == table_item::directory_record ? install_tracker::entry_kind::directory
                                               : install_tracker::entry_kind::file;
}

void tracker_observer::entering(std::string_view name) { tracker_.entering(kind_, name); }

void tracker_observer::consumed(std::uint64_t /*compressed_bytes*/) {}

void tracker_observer::written(std::uint64_t bytes) { tracker_.add_written(bytes); }

void tracker_observer::completed() { tracker_.completed(); }

void tracker_observer::finished(const finished_entry& entry) {
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

void tracker_observer::system_error(int error) { tracker_.set_system_error(error); }

}  // namespace installer
