#include "installer/posix/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace installer {
namespace {

// Closes a descriptor on every path out of the function that opened it.
class descriptor {
public:
  explicit descriptor(int fd) noexcept : fd_(fd) {}
  ~descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  descriptor(const descriptor&) = delete;
  descriptor& operator=(const descriptor&) = delete;
  int get() const noexcept { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool close() noexcept {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

bool write_all(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string parent_of(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a folder that cannot be synced is not an
// error, the file's own contents are already on disk.
void sync_folder(const std::string& folder) {
  const descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

file_contents read_whole_file(const std::string& path) {
  file_contents contents;
  descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    contents.outcome = errno == ENOENT ? file_contents::result::missing : file_contents::result::failed;
    return contents;
  }
  char chunk[4096];
  for (;;) {
    const ssize_t count = ::read(fd.get(), chunk, sizeof chunk);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      contents.text.clear();
      return contents;  // failed: a folder, or an I/O error
    }
    contents.text.append(chunk, static_cast<std::size_t>(count));
  }
  contents.outcome = file_contents::result::read;
  return contents;
}

bool replace_file_atomically(const std::string& path, std::string_view text) {
  const std::string folder = parent_of(path);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);

  mode_t mode = 0644;
  if (struct stat existing{}; ::stat(path.c_str(), &existing) == 0) mode = existing.st_mode & 07777;

  const std::string pattern = path + ".XXXXXX";
  std::vector<char> temporary(pattern.c_str(), pattern.c_str() + pattern.size() + 1);
  descriptor fd(::mkstemp(temporary.data()));
  if (fd.get() < 0) return false;

  const bool written = ::fchmod(fd.get(), mode) == 0 && write_all(fd.get(), text) && ::fsync(fd.get()) == 0;
  if (!fd.close() || !written || ::rename(temporary.data(), path.c_str()) != 0) {
    ::unlink(temporary.data());
    return false;
  }
  sync_folder(folder);
  return true;
}

}  // namespace installer
