// The installer's entry point on Linux. There is no elevation relaunch: a
// plain start runs the wizard directly, and the marker "/UAC" is accepted
// and changes nothing. Exits with 0 once the wizard has closed (and its
// worker has finished), 1 when it could not be shown.
#include <cstdio>
#include <exception>

#include "hbsdk/ui/native_platform.h"
#include "installer/install_steps.h"
#include "installer/run_installer.h"

int main() {
  try {
    hbsdk::ui::native_platform platform;
    installer::run_installer(installer::platform_install_steps());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tidewater-kit-installer: %s\n", e.what());
    return 1;
  }
  return 0;
}
