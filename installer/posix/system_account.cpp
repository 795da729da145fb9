#include "installer/system_account.h"

namespace installer {

// Linux installs for the user who runs the installer; root is such a user.
bool running_as_system_account() { return false; }

}  // namespace installer
