#include "installer/run_installer.h"

#include "hbsdk/ui/event_registry.h"
#include "installer/installer_ui.h"

#include <utility>

namespace installer {

void run_installer(install_steps steps) {
  InstallerUI wizard(std::move(steps));
  // A close from the shown callbacks ends the loop before it starts.
  wizard.native().begin_modal();
  hbsdk::ui::fire(&wizard, hbsdk::ui::event_type::shown);
  wizard.native().modal_loop();
  // The close result is not used; the destructor waits for the worker.
}

bool is_elevated_instance(std::u16string_view command_line) { return command_line.find(u"/UAC") != std::u16string_view::npos; }

}  // namespace installer
