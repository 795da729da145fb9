#pragma once
// Relaunching the installer with administrator rights, where the platform
// has such a relaunch (Windows: the shell's "runas" verb).

#include <string>
#include <string_view>

namespace installer {

// The full path of this executable, however long it is; empty when the
// system cannot say.
std::u16string executable_path();

struct relaunch_result {
  enum class state {
    started,   // the elevated instance ran (and, when waited for, ended)
    declined,  // the user declined the elevation prompt
    failed,    // it could not be started for another reason
  };
  state outcome = state::failed;
  int exit_code = 0;  // the elevated instance's exit code, when it was waited for
};

// Starts this executable again through the shell's "runas" verb with the
// given parameters (the marker "/UAC" and the switches passed on). With wait
// false it returns as soon as the instance started; with wait true it waits
// for the instance to end and gives its exit code.
relaunch_result relaunch_elevated(std::u16string_view parameters, bool wait);

}  // namespace installer
