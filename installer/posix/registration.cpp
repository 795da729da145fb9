// Linux registers nothing: the record is the whole of an installation's
// trace outside the library.
#include "installer/registration.h"

namespace installer {

std::vector<std::string> register_installation(const installation_record&, const hbsdk::filesystem::file_path&) {
  return {};
}

void unregister_installation(const hbsdk::filesystem::file_path&) {}

}  // namespace installer
