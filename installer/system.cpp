#include "installer/system.h"

#include <utility>

namespace installer {

System::System(install_steps steps) : steps_(std::move(steps)) {}

System::~System() { join(); }

bool System::start(const hbsdk::filesystem::file_path& target) {
  if (worker_.joinable()) return false;
  const bool was_done = done_.load(std::memory_order_relaxed);
  const std::int32_t was_status = status_.load(std::memory_order_relaxed);
  reset_to_running();
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
  try {
    steps_.record_folder(target);
  } catch (...) {
    // Recording the folder is a side step: its failure does not stop the run.
  }
  const auto payload = steps_.find_payload();
  if (!payload || payload->data == nullptr) {
    publish(install_status::payload_missing);
    return;
  }
  publish(install_status::from_extraction(steps_.extract(payload->data, payload->length, target)));
}

install_progress System::progress() const noexcept { return {}; }

// The failure class of an extraction code; the worker will carry more detail.
install_outcome System::outcome() const {
  install_outcome result;
  result.status = status();
  if (result.status == install_status::succeeded) return result;
  if (result.status == install_status::payload_missing) {
    result.kind = failure_kind::damaged_payload;
    return result;
  }
  result.extraction_code = result.status / 10;
  switch (result.extraction_code) {
    case 16:
      result.kind = failure_kind::bad_destination;
      break;
    case 18:
      result.kind = failure_kind::link_refused;
      break;
    case 17:
    case 20:
    case 23:
      result.kind = failure_kind::cannot_write;
      break;
    default:
      result.kind = failure_kind::damaged_payload;
      break;
  }
  return result;
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
