#pragma once
// The steps of one installation, as System runs them: find the payload,
// extract it, and once it is extracted record the target folder and what
// was installed. The
// installer uses the platform's steps; tests substitute their own to hold a
// run at any point.

#include <concepts>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

#include "hbsdk/filesystem/file_path.h"
#include "installer/install_tracker.h"
#include "installer/payload_locator.h"

namespace installer {

class install_log;
class tracker_observer;

// The extraction step: returns an extraction code (0 on success) and tells
// the tracker how far it is. A callable that takes no tracker is accepted
// too; its runs then publish no progress.
class extract_step {
public:
  using function = std::function<std::int32_t(const std::uint8_t* archive, std::uint64_t length,
                                              const hbsdk::filesystem::file_path& target, install_tracker& tracker)>;

  extract_step() = default;
  template <class F>
    requires std::is_invocable_r_v<std::int32_t, F&, const std::uint8_t*, std::uint64_t,
                                   const hbsdk::filesystem::file_path&, install_tracker&>
  extract_step(F f) : run_(std::move(f)) {}  // NOLINT: converts like std::function
  template <class F>
    requires(std::is_invocable_r_v<std::int32_t, F&, const std::uint8_t*, std::uint64_t,
                                   const hbsdk::filesystem::file_path&> &&
             !std::is_invocable_v<F&, const std::uint8_t*, std::uint64_t, const hbsdk::filesystem::file_path&,
                                  install_tracker&>)
  extract_step(F f)  // NOLINT: converts like std::function
      : run_([f = std::move(f)](const std::uint8_t* archive, std::uint64_t length,
                                const hbsdk::filesystem::file_path& target, install_tracker&) mutable {
          return f(archive, length, target);
        }) {}

  explicit operator bool() const noexcept { return static_cast<bool>(run_); }
  std::int32_t operator()(const std::uint8_t* archive, std::uint64_t length, const hbsdk::filesystem::file_path& target,
                          install_tracker& tracker) const {
    return run_(archive, length, target, tracker);
  }
  // A run whose progress nobody watches.
  std::int32_t operator()(const std::uint8_t* archive, std::uint64_t length,
                          const hbsdk::filesystem::file_path& target) const {
    install_tracker unwatched;
    return run_(archive, length, target, unwatched);
  }

private:
  function run_;
};

struct install_steps {
  // Run only after a successful extraction. Failures are silent; the run
  // still counts as a success.
  std::function<void(const hbsdk::filesystem::file_path& target)> record_folder;
  std::function<std::optional<payload_view>()> find_payload;
  extract_step extract;
  // Run after record_folder, with what the run installed (its target set)
  // and the run's log (or null). Like it, a failure does not fail the run;
  // may be empty.
  std::function<void(const installation_record& installed, install_log* log)> record_installation = {};
};

// extract_archive with the tracker told the pack's totals first, then every
// entry, byte written and completed entry as the run goes, and the system's
// error beside an output fault.
std::int32_t extract_with_progress(const std::uint8_t* archive, std::uint64_t length,
                                   const hbsdk::filesystem::file_path& target, install_tracker& tracker);
// The same with an observer of the caller's, which passes everything on to
// the same tracker.
std::int32_t extract_with_progress(const std::uint8_t* archive, std::uint64_t length,
                                   const hbsdk::filesystem::file_path& target, install_tracker& tracker,
                                   tracker_observer& observer);

// Finds the payload inside this executable, extracts it with
// extract_with_progress, records the folder as the asset library and keeps
// the record of the installation (record_keeper.h).
install_steps platform_install_steps();

}  // namespace installer
