#pragma once
// Where the Linux settings file lives. The installer runs as the user whose
// asset library it fills (the library defaults to that user's Documents
// folder), so the value is kept in the user's configuration folder, where it
// can be written without root:
//   $HB_SETTINGS_FILE, when set and not empty (tests and packagers use it);
//   else $XDG_CONFIG_HOME/halbrook/settings, when XDG_CONFIG_HOME is absolute;
//   else $HOME/.config/halbrook/settings.

#include <optional>
#include <string>
#include <string_view>

namespace installer {

inline constexpr char settings_file_variable[] = "HB_SETTINGS_FILE";

// Nothing when none of the variables above names a place.
std::optional<std::string> settings_file_location();

// The same rule for any file of the user's: the value of override_variable
// when set and not empty; else <$base_variable><relative> when that variable
// is absolute; else <$HOME><home_folder><relative>. Trailing slashes of the
// folders are dropped; nothing when none of them names a place.
std::optional<std::string> user_file_location(const char* override_variable, const char* base_variable,
                                              std::string_view home_folder, std::string_view relative);

}  // namespace installer
