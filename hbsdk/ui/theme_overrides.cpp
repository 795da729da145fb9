#include "hbsdk/ui/theme_overrides.h"

#include <utility>

namespace hbsdk::ui {
namespace {

style_table& table() {
  static style_table overrides;
  return overrides;
}

}  // namespace

const style_table& theme_overrides() { return table(); }

void replace_theme_overrides(style_table overrides) { table() = std::move(overrides); }

}  // namespace hbsdk::ui
