#pragma once
// Reads the documents directory out of the XDG user-dirs.dirs file, the
// shell-style list of a user's well-known folders:
//   XDG_DOCUMENTS_DIR="$HOME/Documents"
// A value is either absolute or starts with $HOME; anything else is ignored,
// as the XDG tools ignore it.

#include <optional>
#include <string>
#include <string_view>

namespace installer {

// The documents directory named in text, with $HOME replaced by home; the last
// valid assignment wins. Nothing when text names none.
std::optional<std::string> documents_dir_from_user_dirs(std::string_view text, std::string_view home);

}  // namespace installer
