#include "installer/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "installer/posix/settings_location.h"

namespace installer {

instance_lock::~instance_lock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

instance_lock::state instance_lock::acquire() {
  const auto settings = settings_file_location();
  if (!settings) return state::unavailable;
  const std::filesystem::path file = *settings + ".lock";
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  // O_NOFOLLOW: a link planted at the lock's name is not followed.
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return state::unavailable;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? state::held : state::unavailable;
  }
  handle_ = fd;
  return state::acquired;
}

}  // namespace installer
