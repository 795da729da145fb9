#pragma once
// Where the plug-in's asset library lives, which is the folder the pack is
// installed into. It is looked up in the settings store, then the environment,
// then the Documents folder, and every installation records it back in the
// settings store so that the next lookup finds it there.

#include <cstddef>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"

namespace installer {

inline constexpr std::string_view asset_library_value = "OrreryUserPath";
inline constexpr std::string_view asset_library_variable = "ORRERY_USER_PATH";

// The longest stored folder that is read: 500 bytes of UTF-16 including the
// terminating zero. A longer value is skipped as if it were missing.
inline constexpr std::size_t max_stored_folder_units = 249;

// The first source that answers wins: the value value_name under settings_key
// (even when it is empty), then the environment variable variable_name unless
// it is empty, then the Documents folder. Both names are UTF-8. The result has
// every slash turned into a backslash and may be empty.
hbsdk::filesystem::file_path find_asset_library(std::string_view value_name,
                                                std::string_view variable_name);

// Stores folder's text, exactly as it is, as value_name under settings_key.
// False when the store could not be written.
bool record_asset_library(std::string_view value_name, const hbsdk::filesystem::file_path& folder);

}  // namespace installer
