#include "hbsdk/filesystem/same_folder.h"

#include <sys/stat.h>

#include "hbsdk/filesystem/posix/posix_path.h"

namespace hbsdk::filesystem {

bool same_folder(const file_path& left, const file_path& right) {
  struct stat a {};
  struct stat b {};
  return ::stat(to_posix(left).c_str(), &a) == 0 && ::stat(to_posix(right).c_str(), &b) == 0 && S_ISDIR(a.st_mode) &&
         S_ISDIR(b.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace hbsdk::filesystem
