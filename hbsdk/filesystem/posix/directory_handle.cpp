// Directories on POSIX systems: a descriptor opened with O_PATH (enough to
// look names up below it, with no read permission needed), children opened
// with openat and O_NOFOLLOW from the parent's descriptor and made with
// mkdirat, which never follows a link at its last component either.
#include "hbsdk/filesystem/directory_handle.h"

#include <fcntl.h>
#include <sys/stat.h>  // mkdirat
#include <unistd.h>

#include <utility>

#include "hbsdk/filesystem/file_ops.h"
#include "hbsdk/filesystem/posix/posix_path.h"
#include "hbsdk/filesystem/posix/relative_name.h"

namespace hbsdk::filesystem {
namespace {

#ifdef O_PATH
constexpr int directory_access = O_PATH;
#else
constexpr int directory_access = O_RDONLY;
#endif

}  // namespace

directory_handle::~directory_handle() { close(); }

directory_handle::directory_handle(directory_handle&& other) noexcept
    : handle_(std::exchange(other.handle_, closed)) {}

directory_handle& directory_handle::operator=(directory_handle&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, closed);
  }
  return *this;
}

void directory_handle::close() noexcept {
  if (is_open()) ::close(static_cast<int>(handle_));
  handle_ = closed;
}

bool directory_handle::open(const file_path& path) {
  close();
  if (fault_injected(file_op::open_directory)) return false;
  const int fd = ::open(to_posix(path).c_str(), directory_access | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  handle_ = fd;
  return true;
}

open_result directory_handle::open_child(const directory_handle& parent, std::u16string_view name, bool create,
                                         bool* created) {
  close();
  if (created != nullptr) *created = false;
  if (!parent.is_open()) return open_result::failed;
  const int folder = static_cast<int>(parent.native());
  const std::string text = relative_name(name);
  // An existing entry, a link among them, makes mkdirat fail: the open below
  // decides what stands there.
  const bool made = create && !fault_injected(file_op::create_directory) && ::mkdirat(folder, text.c_str(), 0777) == 0;
  if (fault_injected(file_op::open_directory)) return open_result::failed;
  // O_PATH with O_NOFOLLOW alone would hand back a link itself; with
  // O_DIRECTORY the open fails (ENOTDIR) on a link and on a file, so what it
  // opens is a directory.
  const int fd = ::openat(folder, text.c_str(), directory_access | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return failed_open_at(folder, text);
  handle_ = fd;
  if (created != nullptr) *created = made;
  return open_result::opened;
}

}  // namespace hbsdk::filesystem
