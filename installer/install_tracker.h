#pragma once
// What the worker learns while a run goes on: the totals of the pack, the
// bytes and files written so far, the entry being worked on and the system's
// error beside a fault. The worker alone writes it. The progress counters are
// relaxed atomics any thread may read at any time; the entry's name and the
// error are plain fields, read once the run is over (System publishes them
// through done). When a log is set, one line goes to it per directory and
// file completed. It also gathers what the run put below the target (the
// directories it created, the files with size, time and checksum) for the
// record of the installation.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "installer/install_outcome.h"
#include "installer/installation_record.h"

namespace installer {

class install_log;

class install_tracker {
public:
  enum class entry_kind { directory, file };

  // Back to nothing written, no totals, no entry and no error.
  void reset() noexcept;
  void set_log(install_log* log) noexcept { log_ = log; }

  void set_totals(std::uint64_t bytes, std::uint32_t files) noexcept;
  // The directory or file (its UTF-8 archive name) about to be processed.
  void entering(entry_kind kind, std::string_view name) noexcept;
  void add_written(std::uint64_t bytes) noexcept;
  // The entry last entered is done; a file counts towards files_done.
  void completed() noexcept;
  void set_system_error(std::int32_t error) noexcept { system_error_ = error; }
  // The entry last entered is in place: a directory (recorded only when this
  // run created it) or a file with what was written.
  void directory_made(bool created);
  void file_written(std::uint64_t size, std::uint64_t last_write, std::uint32_t crc32);

  install_progress progress() const noexcept;
  // The name of the entry last entered, or empty before the first one.
  const std::string& entry_name() const noexcept { return name_; }
  std::int32_t system_error() const noexcept { return system_error_; }
  // What the run installed so far; its version and target are left empty.
  const installation_record& installed() const noexcept { return installed_; }

private:
  std::atomic<std::uint64_t> bytes_done_{0};
  std::atomic<std::uint64_t> bytes_total_{0};
  std::atomic<std::uint32_t> files_done_{0};
  std::atomic<std::uint32_t> files_total_{0};
  // The worker's own copies of the counters, so that publishing is one store.
  std::uint64_t bytes_written_ = 0;
  std::uint32_t files_written_ = 0;
  entry_kind kind_ = entry_kind::file;
  std::string name_;
  std::int32_t system_error_ = 0;
  install_log* log_ = nullptr;
  installation_record installed_;
};

}  // namespace installer
