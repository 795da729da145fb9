// File operations on POSIX systems: mkdir, open/write/close and utimensat.
// The creation time of a file can be neither set nor read back reliably here,
// so only the last-write time is stamped.
#include "hbsdk/filesystem/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <limits>
#include <string>

#include "hbsdk/filesystem/posix/posix_path.h"

namespace hbsdk::filesystem {

bool is_absolute(const file_path& path) { return !path.empty() && path.text().front() == u'\\'; }

bool create_directory(const file_path& path) {
  if (fault_injected(file_op::create_directory)) return false;
  return ::mkdir(to_posix(path).c_str(), 0777) == 0;
}

bool stamp_file_times(const file_path& path, std::uint64_t /*creation*/, std::uint64_t last_write) {
  if (fault_injected(file_op::stamp_times)) return false;
  if (last_write > static_cast<std::uint64_t>(std::numeric_limits<std::time_t>::max())) return false;
  timespec times[2] = {};
  times[0].tv_nsec = UTIME_OMIT;  // last access: left as the file system set it
  times[1].tv_sec = static_cast<std::time_t>(last_write);
  return ::utimensat(AT_FDCWD, to_posix(path).c_str(), times, 0) == 0;
}

std::optional<file_times> read_file_times(const file_path& path) {
  struct stat info {};
  if (::stat(to_posix(path).c_str(), &info) != 0 || info.st_mtim.tv_sec < 0) return std::nullopt;
  const auto seconds = static_cast<std::uint64_t>(info.st_mtim.tv_sec);
  return file_times{seconds, seconds};
}

output_file::~output_file() { (void)close(); }

bool output_file::open(const file_path& path) {
  (void)close();
  if (fault_injected(file_op::open)) return false;
  const int fd = ::open(to_posix(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  handle_ = fd;
  return true;
}

bool output_file::write(const std::uint8_t* data, std::size_t size) {
  if (!is_open()) return false;
  if (fault_injected(file_op::write)) return false;
  const int fd = static_cast<int>(handle_);
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;  // no progress and no error: do not spin
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool output_file::close() {
  if (!is_open()) return true;
  const int fd = static_cast<int>(handle_);
  handle_ = closed;
  // A failed close still releases the descriptor on Linux; it is never retried.
  const bool closed_ok = ::close(fd) == 0;
  return closed_ok && !fault_injected(file_op::close);
}

}  // namespace hbsdk::filesystem
