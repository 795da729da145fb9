#include "link_maker.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace payload_test {

const char* link_kind_name(link_kind kind) {
  switch (kind) {
    case link_kind::directory_symlink: return "symbolic link to a directory";
    case link_kind::file_symlink: return "symbolic link to a file";
    case link_kind::junction: return "junction";
    case link_kind::hard_link: return "hard link";
  }
  return "link";
}

bool make_link(link_kind kind, const std::filesystem::path& at, const std::filesystem::path& to,
               std::string& why_not) {
  if (kind == link_kind::junction) {
    why_not = "junctions exist on Windows only";
    return false;
  }
  if (kind == link_kind::hard_link) {
    if (::link(to.c_str(), at.c_str()) != 0) {
      why_not = std::string("link failed: ") + std::strerror(errno);
      return false;
    }
    return true;
  }
  if (::symlink(to.c_str(), at.c_str()) != 0) {
    why_not = std::string("symlink failed: ") + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace payload_test
