// The installer with one change for the end-to-end tests: each installation
// waits, before it extracts, for as long as the file named by HB_HOLD_FILE
// exists. A test holds an installation this way to act while it runs
// (Cancel, the close box), then deletes the file to let it finish. The
// wizard is shown at once, without the elevation relaunch; the switches are
// read as the installer reads them (Windows spellings on Windows, GNU
// options on Linux), and it holds the one-installation lock as the installer
// does, so a second start can be tried while a run is held. It exits with the
// code the installer's run gives.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>
#include <thread>

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/native_platform.h"
#include "installer/command_line.h"
#include "installer/install_steps.h"
#include "installer/instance_lock.h"
#include "installer/run_installer.h"

namespace {

installer::install_steps held_steps() {
  installer::install_steps steps = installer::platform_install_steps();
  const char* hold = std::getenv("HB_HOLD_FILE");
  if (hold == nullptr || *hold == '\0') {
    return steps;
  }
  const std::filesystem::path hold_file = hold;
  steps.extract = [extract = steps.extract, hold_file](const std::uint8_t* archive, std::uint64_t length,
                                                      const hbsdk::filesystem::file_path& target,
                                                      installer::install_tracker& tracker) {
    std::error_code error;
    while (std::filesystem::exists(hold_file, error)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return extract(archive, length, target, tracker);
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
    return installer::exit_code(installer::exit_reason::another_running, platform_table);
  }
  try {
    if (line.mode == installer::run_mode::very_silent) {
      return installer::run_installer(held_steps(), line, platform_table);
    }
    hbsdk::ui::native_platform platform;
    return installer::run_installer(held_steps(), line, platform_table);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "held installer: %s\n", e.what());
    return 1;
  }
  return 0;
}
