// The installer's entry point on Windows. A plain start relaunches the
// executable elevated (with the marker "/UAC") and ends: 0 when the relaunch
// started, 1 when it did not. The elevated instance runs the wizard to its
// end and returns 0.
#include <windows.h>

#include <exception>
#include <string>

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/native_platform.h"
#include "installer/elevation.h"
#include "installer/install_steps.h"
#include "installer/run_installer.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  // Before anything else can load a library: DLLs come from the system
  // folder only, never from the folder the installer was downloaded to.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

  const std::u16string line = command_line != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(command_line)) : u"";
  if (!installer::is_elevated_instance(line)) {
    return installer::relaunch_elevated() ? 0 : 1;
  }
  try {
    hbsdk::ui::native_platform platform;
    installer::run_installer(installer::platform_install_steps());
  } catch (const std::exception& e) {
    // Drawing resources that cannot be made end the program; say why.
    const std::u16string message = hbsdk::filesystem::to_wide_replacing(e.what());
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(message.c_str()), L"Tidewater Kit Pack Installer",
                MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
