#pragma once
// The application's theme: style entries that take precedence over the
// built-in defaults for every widget. Empty at start; an application replaces
// it as a whole, before the widgets that should show it are painted (widgets
// are not notified). Its entries may use keys that have no default.

#include "hbsdk/ui/style_table.h"

namespace hbsdk::ui {

const style_table& theme_overrides();
// Drops every earlier override and installs the given table in their place.
void replace_theme_overrides(style_table overrides);

}  // namespace hbsdk::ui
