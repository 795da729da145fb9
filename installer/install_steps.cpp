#include "installer/install_steps.h"

#include "installer/asset_library.h"
#include "installer/payload/extract_archive.h"

namespace installer {

install_steps platform_install_steps() {
  return {
      [](const hbsdk::filesystem::file_path& target) { record_asset_library(asset_library_value, target); },
      &find_payload,
      &extract_archive,
  };
}

}  // namespace installer
