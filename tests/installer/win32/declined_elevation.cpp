// The elevation relaunch of the declining test build: every relaunch is
// declined, as when a person answers No at the elevation prompt (which Wine
// never shows). The rest of the installer is the real one.
#include "installer/elevation.h"

namespace installer {

std::u16string executable_path() { return u"declining_installer.exe"; }

relaunch_result relaunch_elevated(std::u16string_view, bool) {
  relaunch_result result;
  result.outcome = relaunch_result::state::declined;
  return result;
}

}  // namespace installer
