// The installer's entry point on Windows. The first instance reads the
// command line, answers /HELP and bad switches itself (a message box; none
// for a bad line with /VERYSILENT), and relaunches the executable elevated
// with the marker "/UAC" and every switch, paths made absolute. Without a
// silent switch it ends at once: 0 when the relaunch started, 1 when it did
// not. With /SILENT or /VERYSILENT it waits for the elevated instance and
// returns its exit code (1602 when the elevation was declined).
//
// With /UNINSTALL the same program removes the installed pack instead
// (installer/run_removal.h); the uninstaller written beside the record is
// this program built without a payload.
//
// The elevated instance runs the wizard (or, with /VERYSILENT, the
// installation alone) to its end and returns 0, or with a silent switch the
// run's code from installer/exit_codes.h. One installation runs at a time:
// a second start gets 1618 in silent mode, or brings the running wizard to
// the front.
#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/native_platform.h"
#include "installer/command_line.h"
#include "installer/elevation.h"
#include "installer/exit_codes.h"
#include "installer/install_steps.h"
#include "installer/installer_ui.h"
#include "installer/instance_lock.h"
#include "installer/run_installer.h"
#include "installer/run_removal.h"

namespace {

namespace fs = hbsdk::filesystem;
using installer::exit_reason;

int code(exit_reason reason) { return installer::exit_code(reason, installer::exit_platform::windows); }

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

void show_message(const std::string& text, UINT icon) {
  const std::u16string message = fs::to_wide_replacing(text);
  const std::u16string title = fs::to_wide_replacing(installer::texts::window_title);
  MessageBoxW(nullptr, wide(message), wide(title), MB_OK | icon);
}

// A path relative to the working folder (or to the current drive) becomes
// absolute here: the elevated instance starts in another folder.
void make_absolute(std::optional<fs::file_path>& path) {
  if (!path) return;
  const DWORD needed = GetFullPathNameW(wide(path->text()), 0, nullptr, nullptr);
  if (needed == 0) return;
  std::vector<wchar_t> buffer(needed);
  const DWORD length = GetFullPathNameW(wide(path->text()), needed, buffer.data(), nullptr);
  if (length == 0 || length >= needed) return;
  path = fs::file_path(std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), length));
}

// The running wizard, found by its title, comes to the front.
void raise_running_wizard() {
  const std::u16string title = fs::to_wide_replacing(installer::texts::window_title);
  if (HWND running = FindWindowW(nullptr, wide(title))) {
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
  }
}

// Another installation holds the lock: silent starts end with 1618, a person
// sees the running wizard instead.
int another_running(const installer::command_line& line) {
  if (line.silent()) return code(exit_reason::another_running);
  raise_running_wizard();
  return 0;
}

int first_instance(installer::command_line line) {
  make_absolute(line.destination);
  make_absolute(line.log_file);
  {
    // Only looked at here; the elevated instance takes the lock itself.
    installer::instance_lock probe;
    if (probe.acquire() == installer::instance_lock::state::held) return another_running(line);
  }
  const installer::relaunch_result relaunch =
      installer::relaunch_elevated(installer::elevated_parameters(line), line.silent());
  switch (relaunch.outcome) {
    case installer::relaunch_result::state::started:
      return line.silent() ? relaunch.exit_code : 0;
    case installer::relaunch_result::state::declined:
      return line.silent() ? code(exit_reason::cancelled) : 1;
    case installer::relaunch_result::state::failed:
      break;
  }
  if (line.silent()) return code(exit_reason::cannot_run);
  show_message("The installer could not start itself again with administrator rights (its path: " +
                   fs::to_utf8(installer::executable_path()) + ").",
               MB_ICONERROR);
  return 1;
}

int elevated_instance(const installer::command_line& line) {
  installer::instance_lock lock;
  if (lock.acquire() == installer::instance_lock::state::held) return another_running(line);
  try {
    if (line.uninstall) {
      // A removal shows a window only when it asks its question.
      std::optional<hbsdk::ui::native_platform> platform;
      if (line.mode == installer::run_mode::interactive) platform.emplace();
      return installer::run_removal(line, installer::exit_platform::windows, installer::platform_removal_steps());
    }
    if (line.mode == installer::run_mode::very_silent) {
      return installer::run_installer(installer::platform_install_steps(), line, installer::exit_platform::windows);
    }
    hbsdk::ui::native_platform platform;
    return installer::run_installer(installer::platform_install_steps(), line, installer::exit_platform::windows,
                                    &lock);
  } catch (const std::exception& e) {
    // Drawing resources that cannot be made end the program; say why.
    if (line.mode != installer::run_mode::very_silent) show_message(e.what(), MB_ICONERROR);
    return line.silent() ? code(exit_reason::cannot_run) : 1;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  // Before anything else can load a library: DLLs come from the system
  // folder only, never from the folder the installer was downloaded to.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

  const std::u16string text = command_line != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(command_line)) : u"";
  const installer::command_line line = installer::parse_windows_command_line(text);
  if (!line.ok()) {
    if (line.mode != installer::run_mode::very_silent) {
      show_message(line.error + "\n\n" + installer::help_text(true), MB_ICONERROR);
    }
    return code(exit_reason::bad_command_line);
  }
  if (line.help) {
    show_message(installer::help_text(true), MB_ICONINFORMATION);
    return 0;
  }
  return line.elevated ? elevated_instance(line) : first_instance(line);
}
