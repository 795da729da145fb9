// Input files and removals on POSIX systems: openat with O_NOFOLLOW from the
// folder's descriptor, fstat on the open file, unlinkat and renameat on
// names in the folder (none of them follows a link at the last component).
#include "hbsdk/filesystem/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/posix/relative_name.h"

namespace hbsdk::filesystem {

input_file::~input_file() { close(); }

void input_file::close() noexcept {
  if (is_open()) ::close(static_cast<int>(handle_));
  handle_ = closed;
  folder_ = closed;
}

open_result input_file::open_in(const directory_handle& folder, std::u16string_view name) {
  close();
  missing_ = false;
  if (fault_injected(file_op::read) || !folder.is_open()) return open_result::failed;
  const int parent = static_cast<int>(folder.native());
  const std::string text = relative_name(name);
  // O_NONBLOCK keeps a FIFO planted at the name from holding the open.
  const int fd = ::openat(parent, text.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    missing_ = errno == ENOENT;
    return failed_open_at(parent, text);
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink > 1) {
    ::close(fd);
    return S_ISREG(info.st_mode) && info.st_nlink > 1 ? open_result::link : open_result::failed;
  }
  handle_ = fd;
  folder_ = parent;
  name_.assign(name);
  return open_result::opened;
}

std::optional<file_state> input_file::state() const {
  struct stat info {};
  if (!is_open() || ::fstat(static_cast<int>(handle_), &info) != 0 || info.st_mtim.tv_sec < 0) return std::nullopt;
  file_state state;
  state.size = static_cast<std::uint64_t>(info.st_size);
  state.last_write = static_cast<std::uint64_t>(info.st_mtim.tv_sec);
  state.read_only = (info.st_mode & S_IWUSR) == 0;
  return state;
}

std::optional<std::size_t> input_file::read(std::uint8_t* data, std::size_t size) {
  if (!is_open() || fault_injected(file_op::read)) return std::nullopt;
  for (;;) {
    const ssize_t count = ::read(static_cast<int>(handle_), data, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) return std::nullopt;
  }
}

remove_result input_file::remove() {
  if (!is_open()) return remove_result::failed;
  const int parent = static_cast<int>(folder_);
  const std::string text = relative_name(name_);
  struct stat opened {};
  struct stat at_name {};
  remove_result result = remove_result::failed;
  // The owner's write permission stands for read-only here, as Windows'
  // attribute does there: root could remove the file anyway, and is kept
  // from it like everyone else.
  if (::fstat(static_cast<int>(handle_), &opened) == 0 && (opened.st_mode & S_IWUSR) != 0 &&
      !fault_injected(file_op::remove)) {
    if (::fstatat(parent, text.c_str(), &at_name, AT_SYMLINK_NOFOLLOW) != 0) {
      result = remove_result::missing;
    } else if (S_ISLNK(at_name.st_mode)) {
      result = remove_result::link;
    } else if (at_name.st_dev == opened.st_dev && at_name.st_ino == opened.st_ino &&
               ::unlinkat(parent, text.c_str(), 0) == 0) {
      result = remove_result::removed;
    }
  }
  close();
  return result;
}

remove_result remove_directory_in(const directory_handle& parent, std::u16string_view name) {
  if (!parent.is_open() || fault_injected(file_op::remove)) return remove_result::failed;
  const int folder = static_cast<int>(parent.native());
  const std::string text = relative_name(name);
  if (::unlinkat(folder, text.c_str(), AT_REMOVEDIR) == 0) return remove_result::removed;
  switch (errno) {
    case ENOENT: return remove_result::missing;
    case ENOTEMPTY:
    case EEXIST: return remove_result::not_empty;
    case ENOTDIR: return failed_open_at(folder, text) == open_result::link ? remove_result::link : remove_result::failed;
    default: return remove_result::failed;
  }
}

bool rename_in(const directory_handle& folder, std::u16string_view from, std::u16string_view to) {
  if (!folder.is_open() || fault_injected(file_op::rename)) return false;
  const int fd = static_cast<int>(folder.native());
  return ::renameat(fd, relative_name(from).c_str(), fd, relative_name(to).c_str()) == 0;
}

}  // namespace hbsdk::filesystem
