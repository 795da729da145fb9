#include "installer/installer_theme.h"

#include "hbsdk/ui/style_table.h"
#include "hbsdk/ui/style_value.h"
#include "hbsdk/ui/theme_overrides.h"

namespace installer {
namespace ui = hbsdk::ui;

void apply_installer_theme() {
  const ui::color light_grey{0.784f, 0.784f, 0.784f, 1.0f};
  ui::style_table theme;
  theme.emplace("label_font_color", ui::style_value::from_color(light_grey));
  theme.emplace("label_font_name", ui::style_value::from_string("verdana"));
  theme.emplace("checkbox_font_color", ui::style_value::from_color(light_grey));
  theme.emplace("checkbox_font_name", ui::style_value::from_string("verdana"));
  theme.emplace("title_font_size", ui::style_value::from_float(15.0f));
  theme.emplace("title_font_weight", ui::style_value::from_int(2));
  theme.emplace("label_intro_text_valign", ui::style_value::from_int(1));
  theme.emplace("label_path_text_valign", ui::style_value::from_int(1));
  theme.emplace("label_path_font_size", ui::style_value::from_float(10.0f));
  theme.emplace("label_adobe_version_weight", ui::style_value::from_int(2));
  theme.emplace("label_assets_weight", ui::style_value::from_int(2));
  theme.emplace("label_install_weight", ui::style_value::from_int(2));
  ui::replace_theme_overrides(std::move(theme));
}

}  // namespace installer
