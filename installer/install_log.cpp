#include "installer/install_log.h"

#include <string>

namespace installer {

bool install_log::open(const hbsdk::filesystem::file_path& file) {
  std::lock_guard lock(mutex_);
  return file_.open(file);
}

void install_log::line(std::string_view text) {
  std::lock_guard lock(mutex_);
  if (!file_.is_open()) return;
  std::string row(text);
#ifdef _WIN32
  row += "\r\n";
#else
  row += "\n";
#endif
  (void)file_.write(reinterpret_cast<const std::uint8_t*>(row.data()), row.size());
}

}  // namespace installer
