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

// The longest stored folder that is read: the longest path Windows accepts,
// in UTF-16 units. A longer value (never one this installer recorded) is
// skipped as if it were missing.
inline constexpr std::size_t max_stored_folder_units = 32767;

// Where look_up_asset_library found the folder.
enum class asset_library_source {
  stored,       // the value in the settings store
  environment,  // the environment variable
  documents,    // the Documents folder
  none,         // no source answered: the folder is empty
};

struct asset_library_lookup {
  hbsdk::filesystem::file_path folder;
  asset_library_source source = asset_library_source::none;
};

// The first source that answers wins: the value value_name under settings_key
// (even when it is empty), then the environment variable variable_name unless
// it is empty, then the Documents folder. Both names are UTF-8. The folder has
// every slash turned into a backslash, so values stored with either separator
// read the same. With no source, the folder is empty and the source none.
asset_library_lookup look_up_asset_library(std::string_view value_name, std::string_view variable_name);

// The folder of look_up_asset_library alone; it may be empty.
hbsdk::filesystem::file_path find_asset_library(std::string_view value_name,
                                                std::string_view variable_name);

// Stores folder as value_name under settings_key, written the way the
// platform writes paths (backslashes on Windows, slashes on Linux). False
// when the store could not be written.
bool record_asset_library(std::string_view value_name, const hbsdk::filesystem::file_path& folder);

}  // namespace installer
