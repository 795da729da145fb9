// The installer's entry point on Linux. There is no elevation relaunch: a
// start runs the wizard (or, with --very-silent, the installation alone)
// directly, and the marker "/UAC" is accepted and changes nothing.
//
// Exit codes: without options 0 once the wizard has closed (and its worker
// has finished), 1 when it could not be shown; with options the Linux column
// of installer/exit_codes.h. --uninstall removes the installed pack instead
// (installer/run_removal.h), under the same lock as installations. --help prints the options to stdout and exits
// with 0; a bad option is named on stderr and exits with 2, before anything
// else happens. A start while another installation runs ends with 4; an
// interactive one first asks the running wizard to come to the front.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/ui/native_platform.h"
#include "installer/command_line.h"
#include "installer/exit_codes.h"
#include "installer/install_steps.h"
#include "installer/instance_lock.h"
#include "installer/run_installer.h"
#include "installer/run_removal.h"

namespace {

namespace fs = hbsdk::filesystem;
using installer::exit_reason;

constexpr const char* program = "tidewater-kit-installer";

int code(exit_reason reason) { return installer::exit_code(reason, installer::exit_platform::posix); }

std::string_view variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

// A display can be used: X11 or Wayland is named, or the offscreen video
// driver was chosen on purpose (tests run that way).
bool display_named() {
  return !variable("DISPLAY").empty() || !variable("WAYLAND_DISPLAY").empty() ||
         variable("SDL_VIDEODRIVER") == "offscreen";
}

// A relative path is taken from the working folder.
void make_absolute(std::optional<fs::file_path>& path) {
  if (!path || fs::is_absolute(*path)) return;
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (buffer.size() > (1u << 20)) return;
    buffer.resize(buffer.size() * 2);
  }
  path = fs::join(fs::file_path(buffer.data()), *path);
}

void say_no_display(bool removal) {
  std::fprintf(stderr, "%s: no display is available, so the installer window cannot be shown.\n", program);
  if (removal) {
    std::fprintf(stderr, "To remove the pack without a window, run: %s --uninstall --very-silent [--log=FILE]\n",
                 program);
  } else {
    std::fprintf(stderr, "To install without a window, run: %s --very-silent [--dir=FOLDER] [--log=FILE]\n", program);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  installer::command_line line = installer::parse_gnu_arguments(arguments);
  if (!line.ok()) {
    std::fprintf(stderr, "%s: %s\n", program, line.error.c_str());
    return code(exit_reason::bad_command_line);
  }
  if (line.help) {
    std::fputs(installer::help_text(false).c_str(), stdout);
    return 0;
  }
  make_absolute(line.destination);
  make_absolute(line.log_file);
  const bool switched = line.has_switches();
  const int failed = switched ? code(exit_reason::cannot_run) : 1;

  // A removal shows a window only when it asks its question.
  const bool windowed = line.uninstall ? line.mode == installer::run_mode::interactive
                                       : line.mode != installer::run_mode::very_silent;
  if (windowed && !display_named()) {
    say_no_display(line.uninstall);
    return code(exit_reason::no_display);
  }
  installer::instance_lock lock;
  if (lock.acquire() == installer::instance_lock::state::held) {
    // An interactive start asks the running wizard to come to the front.
    const bool raised = line.mode == installer::run_mode::interactive && lock.summon_holder();
    std::fprintf(stderr, "%s: another installation is running%s; this one ends.\n", program,
                 raised ? " (its window is brought to the front)" : "");
    return code(exit_reason::another_running);
  }
  try {
    if (!windowed) {
      if (line.uninstall) {
        return installer::run_removal(line, installer::exit_platform::posix, installer::platform_removal_steps());
      }
      return installer::run_installer(installer::platform_install_steps(), line, installer::exit_platform::posix);
    }
    std::optional<hbsdk::ui::native_platform> platform;
    try {
      platform.emplace();
    } catch (const std::exception& e) {
      // The display named cannot be reached (SDL's video start failed).
      std::fprintf(stderr, "%s: %s\n", program, e.what());
      say_no_display(line.uninstall);
      return code(exit_reason::no_display);
    }
    if (line.uninstall) {
      return installer::run_removal(line, installer::exit_platform::posix, installer::platform_removal_steps());
    }
    return installer::run_installer(installer::platform_install_steps(), line, installer::exit_platform::posix,
                                    &lock);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", program, e.what());
    return failed;
  }
}
