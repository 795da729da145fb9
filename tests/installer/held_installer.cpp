// The installer with changes for the end-to-end tests: each installation
// waits, before it extracts, for as long as the file named by HB_HOLD_FILE
// exists. A test holds an installation this way to act while it runs
// (Cancel, the close box), then deletes the file to let it finish. With
// HB_HOLD_AFTER ("40,100"), the run also stands still once that many files
// are done, for as long as "<HB_HOLD_FILE>-40" (and so on) exists, so that a
// test sees the progress bar part way. HB_PACK_FILE names a pack to install
// instead of the embedded one (a large pack the test made). The
// wizard is shown at once, without the elevation relaunch; the switches are
// read as the installer reads them (Windows spellings on Windows, GNU
// options on Linux), and it holds the one-installation lock as the installer
// does (and answers a second start's summons), so a second start can be tried
// while a run is held. It exits with the
// code the installer's run gives.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/native_platform.h"
#include "installer/command_line.h"
#include "installer/install_steps.h"
#include "installer/instance_lock.h"
#include "installer/run_installer.h"
#include "tests/installer/held_observer.h"

namespace {

std::filesystem::path path_of(const char* utf8) {
  const std::string text(utf8);
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// The pack named by HB_PACK_FILE, read whole; it lives as long as the process.
std::optional<installer::payload_view> pack_from_file(const char* name) {
  static std::vector<std::uint8_t> bytes;
  std::ifstream file(path_of(name), std::ios::binary);
  if (!file) throw std::runtime_error(std::string("cannot read the pack ") + name);
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return installer::payload_view{bytes.data(), bytes.size()};
}

installer::install_steps held_steps() {
  installer::install_steps steps = installer::platform_install_steps();
  if (const char* pack = std::getenv("HB_PACK_FILE"); pack != nullptr && *pack != '\0') {
    steps.find_payload = [payload = pack_from_file(pack)] { return payload; };
  }
  const char* hold = std::getenv("HB_HOLD_FILE");
  if (hold == nullptr || *hold == '\0') {
    return steps;
  }
  const std::filesystem::path hold_file = path_of(hold);
  const char* after = std::getenv("HB_HOLD_AFTER");
  const std::set<std::uint32_t> points = installer_tests::held_observer::parse_points(after != nullptr ? after : "");
  steps.extract = [hold_file, points](const std::uint8_t* archive, std::uint64_t length,
                                      const hbsdk::filesystem::file_path& target, installer::install_tracker& tracker) {
    std::error_code error;
    while (std::filesystem::exists(hold_file, error)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    installer_tests::held_observer observer(tracker, hold_file, points);
    return installer::extract_with_progress(archive, length, target, tracker, observer);
  };
  return steps;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  std::u16string text;
  for (int i = 1; i < argc; ++i) {
    text += installer::quote_windows_argument(hbsdk::filesystem::to_wide(argv[i])) + u" ";
  }
  const installer::command_line line = installer::parse_windows_command_line(text);
  constexpr auto platform_table = installer::exit_platform::windows;
#else
  const installer::command_line line = installer::parse_gnu_arguments(std::vector<std::string>(argv + 1, argv + argc));
  constexpr auto platform_table = installer::exit_platform::posix;
#endif
  if (!line.ok()) {
    std::fprintf(stderr, "held installer: %s\n", line.error.c_str());
    return installer::exit_code(installer::exit_reason::bad_command_line, platform_table);
  }
  installer::instance_lock lock;
  if (lock.acquire() == installer::instance_lock::state::held) {
    if (line.mode == installer::run_mode::interactive) lock.summon_holder();
    return installer::exit_code(installer::exit_reason::another_running, platform_table);
  }
  try {
    if (line.mode == installer::run_mode::very_silent) {
      return installer::run_installer(held_steps(), line, platform_table);
    }
    hbsdk::ui::native_platform platform;
    return installer::run_installer(held_steps(), line, platform_table, &lock);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "held installer: %s\n", e.what());
    return 1;
  }
  return 0;
}
