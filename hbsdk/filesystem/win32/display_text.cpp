#include "hbsdk/filesystem/display_text.h"

#include "hbsdk/filesystem/encoding.h"

namespace hbsdk::filesystem {

std::string display_text(const file_path& path) { return to_utf8(path.text()); }

}  // namespace hbsdk::filesystem
