#pragma once
// The install engine as the wizard sees it: runs one installation at a time on
// a worker thread and leaves its outcome in two fields, done and status, which
// the user-interface thread polls. No lock is used: the worker stores status
// first and done last (release), readers load done first (acquire), so a
// reader that sees done sees the final status, and the outcome and the
// recorded folder written before it. Progress is published as the run goes
// in relaxed atomics that may be read at any time.

#include <atomic>
#include <cstdint>
#include <thread>

#include "hbsdk/filesystem/file_path.h"
#include "installer/install_log.h"
#include "installer/install_outcome.h"
#include "installer/install_status.h"
#include "installer/install_steps.h"

namespace installer {

class install_log;

class System {
public:
  // A System that runs the platform's steps (see install_steps.h).
  System() : System(platform_install_steps()) {}
  explicit System(install_steps steps);
  // Waits for a running worker: a run is never abandoned half-way.
  ~System();

  System(const System&) = delete;
  System& operator=(const System&) = delete;

  // Resets done and status, then starts the worker on install with its own
  // copy of target. Refuses, returns false and changes nothing while the
  // previous worker has not been joined. If the thread cannot be created, done
  // and status get their earlier values back and the error propagates.
  bool start(const hbsdk::filesystem::file_path& target);

  // The worker's entry: finds the payload, extracts it, records the folder
  // when the extraction succeeded (a failed run leaves the stored folder as it
  // was), writes the outcome line to the log and publishes the final status.
  // May also be run on the calling thread.
  void install(hbsdk::filesystem::file_path target);

  // Read done first; once it is true, status is final.
  bool done() const noexcept { return done_.load(std::memory_order_acquire); }
  std::int32_t status() const noexcept { return status_.load(std::memory_order_acquire); }

  // How far the current (or last) run is: any thread, any time.
  install_progress progress() const noexcept { return tracker_.progress(); }
  // The final report of the last run; valid once done() is true.
  install_outcome outcome() const { return outcome_; }

  // The log the next runs write to (a line per directory and file, and the
  // outcome line), or null for none. Set it while no run is going on; the
  // log must outlive the runs.
  void set_log(install_log* log) noexcept;

  bool joinable() const noexcept { return worker_.joinable(); }
  // Waits for the worker, if there is one, and empties the worker field.
  void join();

private:
  void reset_to_running() noexcept;
  void publish(std::int32_t final_status) noexcept;
  // Fills outcome_ for a run that ended with final_status and extraction code.
  void conclude(const hbsdk::filesystem::file_path& target, std::int32_t final_status, std::int32_t code);

  std::atomic<bool> done_{false};
  std::atomic<std::int32_t> status_{install_status::not_started};
  std::thread worker_;
  install_steps steps_;
  install_tracker tracker_;
  install_outcome outcome_;  // written by the worker before done
  install_log* log_ = nullptr;
};

}  // namespace installer
