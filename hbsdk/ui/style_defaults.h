#pragma once
// The toolkit's built-in looks: 199 entries, grouped by widget family, that
// answer every style lookup the widget's own entries and the theme overrides
// leave open. Built once, on first use (before any window exists), and never
// changed afterwards.

#include "hbsdk/ui/style_key.h"
#include "hbsdk/ui/style_table.h"
#include "hbsdk/ui/style_value.h"

#include <span>

namespace hbsdk::ui {

struct style_entry {
  style_key key;
  style_value value;
};

// The entries in their fixed order (family by family).
std::span<const style_entry> default_style_entries();
// The same entries as the table lookups search.
const style_table& style_defaults();

}  // namespace hbsdk::ui
