// The removal's steps on Linux: the record in the user's data folder; there
// is no registration and no separate uninstaller to remove.
#include "installer/record_location.h"
#include "installer/run_removal.h"

namespace installer {

removal_steps platform_removal_steps() { return {&record_file_location}; }

}  // namespace installer
