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
// separator, holds an empty component, a component that ends in a dot or a
// space (so "..", "." and what Windows trims to them), a colon (drive
// letters, alternate streams) or a Windows device name (CON, NUL, COM1, ...).
// Both the slash and the backslash count as separators, as they do at the
// file system; the path holds backslashes only.
extract_code archive_name_to_path(std::string_view name, hbsdk::filesystem::file_path& relative);

// A relative path from archive_name_to_path, cut at its last separator: the
// folder that holds the entry (empty for an entry directly in the target)
// and the entry's own name. Extraction and hbpack verify both place entries
// with it. The views point into relative.
struct relative_parts {
  std::u16string_view folder;
  std::u16string_view leaf;
};
relative_parts split_relative(const hbsdk::filesystem::file_path& relative);

}  // namespace installer
