// The settings sandbox on Linux: a settings file and an installation record
// of the test's own.
#include "settings_sandbox.h"

#include "installer/posix/settings_location.h"
#include "installer/record_location.h"
#include "scoped_variable.h"
#include "support/temp_folder.h"

namespace installer::testing {

struct settings_sandbox::saved {
  hb_test::temp_folder folder;
  scoped_variable file{settings_file_variable, (folder.path() / "config" / "settings").string()};
  scoped_variable record{record_file_variable, (folder.path() / "data" / "installation.record").string()};
};

settings_sandbox::settings_sandbox() : saved_(std::make_unique<saved>()) {}
settings_sandbox::~settings_sandbox() = default;

}  // namespace installer::testing
