#pragma once
// Makes the links the link-case tests plant below a target folder, as far as
// the platform (or Wine) allows. A kind that cannot be made says why, so that
// the case is skipped with the reason instead of passing unseen.

#include <filesystem>
#include <string>

namespace payload_test {

enum class link_kind {
  directory_symlink,
  file_symlink,
  junction,   // Windows only: a mount-point reparse point on a directory
  hard_link,  // a second name of an existing file (to must be a file)
};

const char* link_kind_name(link_kind kind);

// Creates a link at `at` that leads to `to` (which need not exist, except for
// a hard link). Returns false and sets why_not when this kind cannot be made
// here.
bool make_link(link_kind kind, const std::filesystem::path& at, const std::filesystem::path& to,
               std::string& why_not);

}  // namespace payload_test
