#pragma once
// The fonts the program brings along on Linux: Tahoma, regular and bold,
// from Debian's fonts-wine (the family the Windows build draws with). They are
// added to fontconfig's current configuration, which pango reads when it
// first looks for fonts, so this runs before any pango call.

#include <string>
#include <vector>

namespace hbsdk::ui {

// Adds the font files once per process; a file that is missing or unreadable
// is skipped (its family then falls back to a similar installed one).
// Returns the files that were added, on every call.
const std::vector<std::string>& register_application_fonts();

}  // namespace hbsdk::ui
