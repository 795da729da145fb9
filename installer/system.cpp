#include "installer/system.h"

#include <utility>

#include "hbsdk/filesystem/directory_handle.h"
#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/path_kind.h"
#include "installer/failure_reason.h"

namespace installer {

namespace fs = hbsdk::filesystem;

System::System(install_steps steps) : steps_(std::move(steps)) {}

System::~System() { join(); }

bool System::start(const hbsdk::filesystem::file_path& target) {
  if (worker_.joinable()) return false;
  const bool was_done = done_.load(std::memory_order_relaxed);
  const std::int32_t was_status = status_.load(std::memory_order_relaxed);
  reset_to_running();
  tracker_.reset();  // no reader sees the previous run's progress as this one's
  try {
    // The thread gets its own copy of target, so the caller may change its
    // folder as soon as this returns.
    worker_ = std::thread(&System::install, this, target);
  } catch (...) {
    status_.store(was_status, std::memory_order_release);
    done_.store(was_done, std::memory_order_release);
    throw;
  }
  return true;
}

void System::install(hbsdk::filesystem::file_path target) {
  reset_to_running();
  tracker_.reset();
  tracker_.set_log(log_);
  outcome_ = install_outcome{};
  const auto payload = steps_.find_payload();
  if (!payload || payload->data == nullptr) {
    conclude(target, install_status::payload_missing, 0);
    return;
  }
  const std::int32_t code = steps_.extract(payload->data, payload->length, target, tracker_);
  const std::int32_t final_status = install_status::from_extraction(code);
  if (final_status == install_status::succeeded) {
    try {
      steps_.record_folder(target);
    } catch (...) {
      // Recording the folder is a side step: its failure does not fail the run.
    }
    try {
      if (steps_.record_installation) {
        installation_record installed = tracker_.installed();
        installed.target = target;
        steps_.record_installation(installed, log_);
      }
    } catch (...) {
      // So is keeping the record: the files are in place either way.
    }
  }
  conclude(target, final_status, code);
}

void System::set_log(install_log* log) noexcept { log_ = log; }

void System::conclude(const fs::file_path& target, std::int32_t final_status, std::int32_t code) {
  try {
    outcome_.status = final_status;
    outcome_.extraction_code = code;
    if (final_status != install_status::succeeded) {
      outcome_.system_error = tracker_.system_error();
      outcome_.name = tracker_.entry_name();
      // Whether the destination is a folder that opens tells a missing or
      // unusable folder from a file below it that could not be written.
      fs::directory_handle folder;
      const bool usable =
          fs::is_absolute(target) && fs::kind_of(target) == fs::path_kind::folder && folder.open(target);
      outcome_.kind = classify_failure(final_status, code, outcome_.system_error, usable);
    }
    if (log_ != nullptr) log_->line(outcome_line(outcome_));
  } catch (...) {
    // Out of memory for the name or the line: the status still goes out.
  }
  publish(final_status);
}

void System::join() {
  if (worker_.joinable()) worker_.join();
}

void System::reset_to_running() noexcept {
  // done goes false before status changes, so a reader never pairs a true
  // done with the running status.
  done_.store(false, std::memory_order_release);
  status_.store(install_status::running, std::memory_order_release);
}

void System::publish(std::int32_t final_status) noexcept {
  status_.store(final_status, std::memory_order_release);
  done_.store(true, std::memory_order_release);
}

}  // namespace installer
