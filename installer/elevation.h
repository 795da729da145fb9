#pragma once
// Relaunching the installer with administrator rights, where the platform
// has such a relaunch (Windows: the shell's "runas" verb).

#include <string>

namespace installer {

// The full path of this executable, however long it is; empty when the
// system cannot say.
std::u16string executable_path();

// Starts this executable again through the shell's "runas" verb with the one
// argument "/UAC", and does not wait for it. False when it could not be
// started, for example when the user declined the elevation prompt.
bool relaunch_elevated();

}  // namespace installer
