// The Documents folder on Linux: XDG_DOCUMENTS_DIR from user-dirs.dirs in the
// user's configuration folder, else $HOME/Documents.
#include "installer/documents_folder.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "hbsdk/filesystem/posix/posix_path.h"
#include "installer/posix/file_io.h"
#include "installer/posix/user_dirs.h"

namespace installer {
namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string without_trailing_slashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// name below folder, with one slash between them even when folder is "/".
std::string below(std::string folder, const char* name) {
  while (folder.ends_with('/')) folder.pop_back();
  return folder + '/' + name;
}

}  // namespace

hbsdk::filesystem::file_path documents_folder() {
  const std::string home = variable("HOME");
  std::string config = variable("XDG_CONFIG_HOME");
  if (!config.starts_with('/')) config = home.empty() ? std::string() : below(home, ".config");

  std::optional<std::string> folder;
  if (!config.empty()) {
    const file_contents user_dirs = read_whole_file(below(config, "user-dirs.dirs"));
    if (user_dirs.outcome == file_contents::result::read) folder = documents_dir_from_user_dirs(user_dirs.text, home);
  }
  if (!folder && !home.empty()) folder = below(home, "Documents");
  if (!folder) return {};
  try {
    return hbsdk::filesystem::from_posix(without_trailing_slashes(*folder));
  } catch (const std::range_error&) {
    return {};  // not UTF-8: a file_path cannot hold it
  }
}

}  // namespace installer
