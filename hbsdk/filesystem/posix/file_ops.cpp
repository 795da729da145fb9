// File operations on POSIX systems: mkdir, open/write/close, utimensat by
// whole path and futimens on an open output file; below an open directory,
// openat that never follows a link at the name. The creation time of a file
// can be neither set nor read back reliably here, so only the last-write time
// is stamped.
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
#include "hbsdk/filesystem/posix/relative_name.h"

namespace hbsdk::filesystem {

bool is_absolute(const file_path& path) { return !path.empty() && path.text().front() == u'\\'; }

bool create_directory(const file_path& path) {
  if (fault_injected(file_op::create_directory)) return false;
  return ::mkdir(to_posix(path).c_str(), 0777) == 0;
}

namespace {

// The times futimens and utimensat take: the last access left as the file
// system set it, the last write as given. False when it does not fit time_t.
bool last_write_only(std::uint64_t last_write, timespec (&times)[2]) {
  if (last_write > static_cast<std::uint64_t>(std::numeric_limits<std::time_t>::max())) return false;
  times[0] = timespec{};
  times[0].tv_nsec = UTIME_OMIT;
  times[1] = timespec{};
  times[1].tv_sec = static_cast<std::time_t>(last_write);
  return true;
}

}  // namespace

bool stamp_file_times(const file_path& path, std::uint64_t /*creation*/, std::uint64_t last_write) {
  if (fault_injected(file_op::stamp_times)) return false;
  timespec times[2];
  return last_write_only(last_write, times) && ::utimensat(AT_FDCWD, to_posix(path).c_str(), times, 0) == 0;
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
  error_ = 0;
  if (fault_injected(file_op::open)) return false;
  const int fd = ::open(to_posix(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = errno;
    return false;
  }
  handle_ = fd;
  return true;
}

open_result output_file::open_in(const directory_handle& folder, std::u16string_view name) {
  (void)close();
  error_ = 0;
  if (fault_injected(file_op::open)) return open_result::failed;
  if (!folder.is_open()) return open_result::failed;
  const int parent = static_cast<int>(folder.native());
  const std::string text = relative_name(name);
  // O_NOFOLLOW refuses a symbolic link at the name. Nothing is truncated at
  // the open: a file with other hard links is refused first, below.
  // O_NONBLOCK keeps a FIFO planted there from holding the open forever;
  // it means nothing to a plain file.
  const int fd = ::openat(parent, text.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = errno;
    return failed_open_at(parent, text);
  }
  struct stat info {};
  open_result result = open_result::opened;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result = open_result::failed;
  } else if (info.st_nlink > 1) {
    result = open_result::link;
  } else if (::ftruncate(fd, 0) != 0) {
    result = open_result::failed;
  }
  if (result != open_result::opened) {
    ::close(fd);
    return result;
  }
  handle_ = fd;
  return open_result::opened;
}

bool output_file::write(const std::uint8_t* data, std::size_t size) {
  error_ = 0;
  if (!is_open()) return false;
  if (fault_injected(file_op::write)) return false;
  const int fd = static_cast<int>(handle_);
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
    }
    if (written == 0) return false;  // no progress and no error: do not spin
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool output_file::stamp_times(std::uint64_t /*creation*/, std::uint64_t last_write) {
  if (!is_open()) return false;
  if (fault_injected(file_op::stamp_times)) return false;
  timespec times[2];
  return last_write_only(last_write, times) && ::futimens(static_cast<int>(handle_), times) == 0;
}

bool output_file::sync() {
  if (!is_open()) return false;
  if (::fsync(static_cast<int>(handle_)) == 0) return true;
  error_ = errno;
  return false;
}

bool output_file::close() {
  if (!is_open()) return true;
  const int fd = static_cast<int>(handle_);
  handle_ = closed;
  // A failed close still releases the descriptor on Linux; it is never retried.
  const bool closed_ok = ::close(fd) == 0;
  error_ = closed_ok ? 0 : errno;
  return closed_ok && !fault_injected(file_op::close);
}

}  // namespace hbsdk::filesystem
