#include "hbsdk/filesystem/display_text.h"

#include "hbsdk/filesystem/posix/posix_path.h"

namespace hbsdk::filesystem {

std::string display_text(const file_path& path) { return to_posix(path); }

}  // namespace hbsdk::filesystem
