#include "installer/install_tracker.h"

#include "installer/install_log.h"

namespace installer {

void install_tracker::reset() noexcept {
  bytes_written_ = 0;
  files_written_ = 0;
  bytes_done_.store(0, std::memory_order_relaxed);
  files_done_.store(0, std::memory_order_relaxed);
  bytes_total_.store(0, std::memory_order_relaxed);
  files_total_.store(0, std::memory_order_relaxed);
  kind_ = entry_kind::file;
  name_.clear();
  system_error_ = 0;
  installed_ = installation_record{};
}

namespace {

// Archive names may use either separator; the record keeps slashes.
std::string record_name(std::string_view name) {
  std::string text(name);
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return text;
}

}  // namespace

void install_tracker::directory_made(bool created) {
  if (created) installed_.directories.push_back(record_name(name_));
}

void install_tracker::file_written(std::uint64_t size, std::uint64_t last_write, std::uint32_t crc32) {
  installed_.files.push_back(recorded_file{record_name(name_), size, last_write, crc32});
}

void install_tracker::set_totals(std::uint64_t bytes, std::uint32_t files) noexcept {
  bytes_total_.store(bytes, std::memory_order_relaxed);
  files_total_.store(files, std::memory_order_relaxed);
}

void install_tracker::entering(entry_kind kind, std::string_view name) noexcept {
  kind_ = kind;
  try {
    name_.assign(name);
  } catch (...) {
    name_.clear();  // no memory for the name: the run goes on without it
  }
}

void install_tracker::add_written(std::uint64_t bytes) noexcept {
  bytes_written_ += bytes;
  bytes_done_.store(bytes_written_, std::memory_order_relaxed);
}

void install_tracker::completed() noexcept {
  if (kind_ == entry_kind::file) files_done_.store(++files_written_, std::memory_order_relaxed);
  if (log_ == nullptr) return;
  try {
    log_->line((kind_ == entry_kind::directory ? "directory " : "file ") + name_);
  } catch (...) {
    // A line that cannot be built is left out; the run goes on.
  }
}

install_progress install_tracker::progress() const noexcept {
  install_progress now;
  now.bytes_done = bytes_done_.load(std::memory_order_relaxed);
  now.bytes_total = bytes_total_.load(std::memory_order_relaxed);
  now.files_done = files_done_.load(std::memory_order_relaxed);
  now.files_total = files_total_.load(std::memory_order_relaxed);
  return now;
}

}  // namespace installer
