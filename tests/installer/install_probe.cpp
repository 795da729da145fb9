// Runs one installation into the folder named on the command line, without a
// window, and prints its outcome as "status N". The folder the run records
// in the settings store is printed as "recorded <folder>" and the store is
// then put back as it was ("(nothing)" when no folder is stored: a failed run
// records none). Exits with 0 when the run succeeded.
#include <cstdio>
#include <filesystem>
#include <string>

#include "hbsdk/filesystem/encoding.h"
#include "installer/asset_library.h"
#include "installer/settings_store.h"
#include "installer/system.h"
#include "settings_sandbox.h"
#include "hbsdk/filesystem/std_path.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argc > 0 ? argv[0] : "install_probe");
    return 2;
  }
  const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
  std::error_code error;
  std::filesystem::create_directories(folder, error);

  const installer::testing::settings_sandbox sandbox;
  installer::System system;
  system.start(hbsdk::filesystem::from_std_path(folder));
  system.join();
  const std::int32_t status = system.status();

  std::string recorded = "(nothing)";
  if (const auto store = installer::settings_store::open(installer::settings_key, installer::settings_store::mode::read)) {
    if (const auto text = store->read_text(u"OrreryUserPath", installer::max_stored_folder_units)) {
      recorded = hbsdk::filesystem::to_utf8(*text);
    }
  }
  std::printf("status %d\nrecorded %s\n", static_cast<int>(status), recorded.c_str());
  return status == installer::install_status::succeeded ? 0 : 1;
}
