#include "installer/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "installer/posix/settings_location.h"

namespace installer {

namespace {

std::optional<std::string> lock_file() {
  const auto settings = settings_file_location();
  if (!settings) return std::nullopt;
  return *settings + ".lock";
}

std::string fifo_of(const std::string& lock) { return lock + ".fifo"; }

// The descriptor is a FIFO of this user's: nothing else is read or written.
bool own_fifo(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode) && info.st_uid == ::geteuid();
}

// Makes the holder's FIFO afresh (whatever stood at its name is a leftover
// of an instance that ended without removing it) and opens its read end
// without blocking. -1 when it cannot be made; the run goes on without it.
int open_summons(const std::string& fifo) {
  ::unlink(fifo.c_str());
  if (::mkfifo(fifo.c_str(), 0600) != 0) return -1;
  const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return -1;
  if (!own_fifo(fd)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

instance_lock::~instance_lock() {
  if (summons_ >= 0) {
    ::close(static_cast<int>(summons_));
    // Removed while the lock is still held: the next holder's FIFO is not touched.
    if (const auto lock = lock_file()) ::unlink(fifo_of(*lock).c_str());
  }
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

instance_lock::state instance_lock::acquire() {
  const auto lock = lock_file();
  if (!lock) return state::unavailable;
  const std::filesystem::path file = *lock;
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
  summons_ = open_summons(fifo_of(*lock));
  return state::acquired;
}

bool instance_lock::summon_holder() {
  const auto lock = lock_file();
  if (!lock) return false;
  // O_NONBLOCK: the open fails at once (ENXIO) when nobody reads the FIFO, as
  // when its holder is gone; O_NOFOLLOW: a link at its name is not followed.
  const int fd = ::open(fifo_of(*lock).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  bool asked = false;
  if (own_fifo(fd)) {
    const char poke = 1;
    asked = ::write(fd, &poke, 1) == 1;
  }
  ::close(fd);
  return asked;
}

bool instance_lock::summoned() {
  if (summons_ < 0) return false;
  bool asked = false;
  char pokes[64];
  ssize_t got = 0;
  // Every waiting poke is taken: many second starts raise the wizard once.
  while ((got = ::read(static_cast<int>(summons_), pokes, sizeof pokes)) > 0) asked = true;
  return asked;
}

}  // namespace installer
