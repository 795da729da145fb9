#pragma once
// Whether the installer runs as the operating system's own account (Windows:
// LocalSystem, as management tools run installers). Such an account has a
// Documents folder of its own that no user sees, so a destination found
// there is not used.

namespace installer {

// Always false on Linux.
bool running_as_system_account();

}  // namespace installer
