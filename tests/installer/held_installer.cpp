// The installer with one change for the end-to-end tests: each installation
// waits, before it extracts, for as long as the file named by HB_HOLD_FILE
// exists. A test holds an installation this way to act while it runs
// (Cancel, the close box), then deletes the file to let it finish. The
// wizard is shown at once, without the elevation relaunch.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>

#include "hbsdk/ui/native_platform.h"
#include "installer/install_steps.h"
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

int main() {
  try {
    hbsdk::ui::native_platform platform;
    installer::run_installer(held_steps());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "held installer: %s\n", e.what());
    return 1;
  }
  return 0;
}
