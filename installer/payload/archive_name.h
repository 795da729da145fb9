#pragma once
// Turns a name stored in the archive into a path relative to the target
// folder, refusing anything that could land outside it or on a device.

#include <cstddef>
#include <string_view>

#include "hbsdk/filesystem/file_path.h"
#include "installer/payload/extract_code.h"

namespace installer {

// Longer names cannot be used on any file system this runs on.
constexpr std::size_t longest_archive_name = 32767;

// Converts a stored name (UTF-8 up to its first zero byte, slash separators)
// into a relative file_path. Returns name_not_utf8 for malformed UTF-8 and
// unsafe_name for a name that is empty or too long, starts or ends with a
// separator, holds an empty component, a component made only of dots and
// spaces ("..", "." and what Windows trims to them), a colon (drive letters,
// alternate streams) or a Windows device name (CON, NUL, COM1, ...). Both the
// slash and the backslash count as separators, as they do at the file system.
extract_code archive_name_to_path(std::string_view name, hbsdk::filesystem::file_path& relative);

}  // namespace installer
