#include "hbsdk/ui/style_defaults.h"

#include "resources/embedded.h"

#include <cstdint>
#include <vector>

namespace hbsdk::ui {
namespace {

style_value rgba(float r, float g, float b, float a) { return style_value::from_color({r, g, b, a}); }
style_value number(float value) { return style_value::from_float(value); }
style_value integer(std::int32_t value) { return style_value::from_int(value); }
style_value flag(bool value) { return style_value::from_flag(value); }
style_value text(const char* value) { return style_value::from_string(value); }
style_value picture(const unsigned char* data, std::size_t size, std::int32_t frames = 1) {
  return style_value::from_image(data, size, frames, 1.0f);
}

// A dark palette shared by the families whose widgets this program does not
// contain, so their looks match the ones it does.
style_value transparent() { return rgba(0, 0, 0, 0); }
style_value white() { return rgba(1, 1, 1, 1); }
style_value text_grey() { return rgba(0.655f, 0.655f, 0.655f, 1); }
style_value text_disabled() { return rgba(0.4f, 0.4f, 0.4f, 1); }
style_value text_placeholder() { return rgba(0.5f, 0.5f, 0.5f, 1); }
style_value back_darkest() { return rgba(0.106f, 0.106f, 0.11f, 1); }
style_value back_dark() { return rgba(0.145f, 0.149f, 0.165f, 1); }
style_value back_normal() { return rgba(0.173f, 0.176f, 0.192f, 1); }
style_value back_hover() { return rgba(0.239f, 0.247f, 0.263f, 1); }
style_value back_selected() { return rgba(0.188f, 0.29f, 0.506f, 1); }
style_value back_raised() { return rgba(0.22f, 0.235f, 0.251f, 1); }
style_value line_dark() { return rgba(0.2f, 0.2f, 0.2f, 1); }
style_value border_normal() { return rgba(0.294f, 0.294f, 0.294f, 1); }
style_value border_focus() { return rgba(0.255f, 0.584f, 0.753f, 1); }
style_value selected_light() { return rgba(0.255f, 0.4f, 0.65f, 1); }
style_value font_name() { return text("tahoma"); }
style_value font_size() { return number(11.0f); }
style_value upright() { return integer(0); }
style_value normal_weight() { return integer(0); }
style_value bold() { return integer(2); }

std::vector<style_entry> build_entries() {
  namespace res = hb::resources;
  return {
      // default
      {"default_back_color", rgba(1, 0, 1, 1)},
      // checkbox
      {"checkbox_back_color", transparent()},
      {"checkbox_border_color_normal", border_normal()},
      {"checkbox_border_color_hover", white()},
      {"checkbox_border_color_focus", border_focus()},
      {"checkbox_border_width", number(1.0f)},
      {"checkbox_font_name", font_name()},
      {"checkbox_font_style", upright()},
      {"checkbox_font_weight", normal_weight()},
      {"checkbox_font_color", white()},
      {"checkbox_font_size", font_size()},
      {"checkbox_image", picture(res::checkbox_png, res::checkbox_png_size, 2)},
      // colorcontrol
      {"colorcontrol_gradient_1", back_hover()},
      {"colorcontrol_gradient_2", back_normal()},
      {"colorcontrol_border_color_normal", border_normal()},
      {"colorcontrol_border_color_hover", white()},
      {"colorcontrol_border_color_focus", border_focus()},
      {"colorcontrol_back_color_disabled", line_dark()},
      // dropdown
      {"dropdown_text_part_color", back_normal()},
      {"dropdown_text_part_color_hover", back_hover()},
      {"dropdown_gradient_text", flag(false)},
      {"dropdown_gradient_text_1", back_hover()},
      {"dropdown_gradient_text_2", back_normal()},
      {"dropdown_button_part_color", back_raised()},
      {"dropdown_button_part_color_hover", back_hover()},
      {"dropdown_gradient_button", flag(false)},
      {"dropdown_gradient_button_1", back_hover()},
      {"dropdown_gradient_button_2", back_normal()},
      {"dropdown_button_image", picture(res::triangle_down_png, res::triangle_down_png_size)},
      {"dropdown_border_color_normal", border_normal()},
      {"dropdown_border_color_hover", white()},
      {"dropdown_border_color_focus", border_focus()},
      {"dropdown_font_name", font_name()},
      {"dropdown_font_style", upright()},
      {"dropdown_font_weight", normal_weight()},
      {"dropdown_font_color", white()},
      {"dropdown_font_size", font_size()},
      {"dropdown_text_align", integer(0)},
      // button
      {"button_color_normal", back_normal()},
      {"button_color_hover", back_hover()},
      {"button_color_toggle", back_selected()},
      {"button_border_color_normal", transparent()},
      {"button_border_color_hover", white()},
      {"button_border_color_focus", rgba(0.6f, 0.6f, 0.6f, 1)},
      {"button_font_name", font_name()},
      {"button_font_style", upright()},
      {"button_font_weight", bold()},
      {"button_font_color", white()},
      {"button_font_color_hover", white()},
      {"button_font_color_pressed", white()},
      {"button_font_size", font_size()},
      {"button_back_image", style_value::no_image(1, 1.0f)},
      // menubar
      {"menubar_back_color_selected", back_selected()},
      {"menubar_back_color_highlight", back_hover()},
      {"menubar_font_name", font_name()},
      {"menubar_font_style", upright()},
      {"menubar_font_weight", normal_weight()},
      {"menubar_font_color", text_grey()},
      {"menubar_font_color_selected", white()},
      {"menubar_font_color_highlight", white()},
      {"menubar_font_size", font_size()},
      // splitpanel
      {"splitpanel_back_color", back_dark()},
      {"splitpanel_border_color", border_normal()},
      {"splitpanel_mark_color", text_disabled()},
      {"splitpanel_split_thickness", integer(4)},
      // tooltip
      {"tooltip_back_color", back_darkest()},
      {"tooltip_border_color", rgba(0.29f, 0.31f, 0.325f, 1)},
      {"tooltip_border_color_1", rgba(0, 0, 0, 1)},
      {"tooltip_font_name", font_name()},
      {"tooltip_font_style", upright()},
      {"tooltip_font_weight", normal_weight()},
      {"tooltip_font_color", text_grey()},
      {"tooltip_font_size", font_size()},
      {"tooltip_title_font_name", font_name()},
      {"tooltip_title_font_style", upright()},
      {"tooltip_title_font_weight", bold()},
      {"tooltip_title_font_color", white()},
      {"tooltip_title_font_size", font_size()},
      // multicolumn
      {"multicolumn_header_color", back_normal()},
      {"multicolumn_header_divider_color", border_normal()},
      {"multicolumn_header_font_name", font_name()},
      {"multicolumn_header_font_style", upright()},
      {"multicolumn_header_font_weight", bold()},
      {"multicolumn_header_font_color", white()},
      {"multicolumn_header_font_size", font_size()},
      {"multicolumn_font_name", font_name()},
      {"multicolumn_font_style", upright()},
      {"multicolumn_font_weight", normal_weight()},
      {"multicolumn_font_size", font_size()},
      {"multicolumn_font_color", text_grey()},
      {"multicolumn_font_color_selected", white()},
      {"multicolumn_font_color_disabled", text_disabled()},
      {"multicolumn_back_color_selected", back_selected()},
      {"multicolumn_font_color_highlighted", white()},
      {"multicolumn_divider_color", back_raised()},
      {"multicolumn_line_color", line_dark()},
      // tabcontainer
      {"tabcontainer_line_color", border_normal()},
      // tabbutton
      {"tabbutton_gradient_1", back_hover()},
      {"tabbutton_gradient_2", back_normal()},
      {"tabbutton_gradient_1_selected", selected_light()},
      {"tabbutton_gradient_2_selected", back_selected()},
      {"tabbutton_gradient_1_hover", rgba(0.3f, 0.31f, 0.33f, 1)},
      {"tabbutton_font_name", font_name()},
      {"tabbutton_font_style", upright()},
      {"tabbutton_font_weight", normal_weight()},
      {"tabbutton_font_size", font_size()},
      {"tabbutton_font_color", text_grey()},
      {"tabbutton_font_color_selected", white()},
      // float
      {"float_font_name", font_name()},
      {"float_font_style", upright()},
      {"float_font_weight", normal_weight()},
      {"float_font_size", font_size()},
      {"float_font_color", white()},
      {"float_font_color_disabled", text_disabled()},
      {"float_input_back_color", back_darkest()},
      {"float_input_font_color", white()},
      {"float_input_font_default_text_color", text_placeholder()},
      // multifloat
      {"multifloat_font_name", font_name()},
      {"multifloat_font_size", font_size()},
      {"multifloat_font_weight", normal_weight()},
      {"multifloat_font_style", upright()},
      {"multifloat_font_color", white()},
      // input
      {"input_border_color", border_normal()},
      {"input_selection_color", back_selected()},
      {"input_ime_cursor_color", white()},
      {"input_ime_block_color", rgba(0.3f, 0.3f, 0.3f, 1)},
      {"input_font_name", font_name()},
      {"input_font_style", upright()},
      {"input_font_weight", normal_weight()},
      {"input_font_size", font_size()},
      {"input_font_color", white()},
      {"input_font_default_text_color", text_placeholder()},
      // scroll
      {"scroll_button_back_color", back_raised()},
      {"scroll_button_line_color", rgba(0.325f, 0.325f, 0.325f, 1)},
      {"scroll_bar_back_color", back_dark()},
      {"scroll_bar_line_color", rgba(0.314f, 0.314f, 0.314f, 1)},
      {"scroll_back_color", rgba(0.067f, 0.071f, 0.078f, 1)},
      // label
      {"label_font_name", font_name()},
      {"label_font_style", upright()},
      {"label_font_weight", normal_weight()},
      {"label_font_size", font_size()},
      {"label_font_color", white()},
      {"label_text_align", integer(0)},
      {"label_text_valign", integer(0)},
      // browser: pack, stared and alien share one picture
      {"browser_back_color", back_dark()},
      {"browser_back_color_hover", back_hover()},
      {"browser_back_color_selected", back_selected()},
      {"browser_font_color", text_grey()},
      {"browser_font_color_hover", white()},
      {"browser_font_color_selected", white()},
      {"browser_font_name", font_name()},
      {"browser_font_style", upright()},
      {"browser_font_weight", normal_weight()},
      {"browser_font_weight_selected", bold()},
      {"browser_font_size", font_size()},
      {"browser_folder_image", picture(res::browser_folder_png, res::browser_folder_png_size)},
      {"browser_pack_image", picture(res::browser_pack_png, res::browser_pack_png_size)},
      {"browser_stared_image", picture(res::browser_pack_png, res::browser_pack_png_size)},
      {"browser_alien_image", picture(res::browser_pack_png, res::browser_pack_png_size)},
      {"browser_virtual_image", picture(res::browser_virtual_png, res::browser_virtual_png_size)},
      // editparam
      {"editparam_height", integer(24)},
      {"editparam_back_color", back_normal()},
      {"editparam_back_color_hover", back_hover()},
      {"editparam_font_color", white()},
      {"editparam_font_color_disabled", text_disabled()},
      {"editparam_font_name", font_name()},
      {"editparam_font_style", upright()},
      {"editparam_font_weight", normal_weight()},
      {"editparam_font_size", font_size()},
      {"editparam_title_height", integer(24)},
      {"editparam_title_back_color", back_darkest()},
      {"editparam_title_font_weight", bold()},
      {"editparam_title_font_color", white()},
      {"editparam_icon_image", style_value::no_image(1, 1.0f)},
      // multiwindow
      {"multiwindow_back_color", back_dark()},
      {"multiwindow_border_color", border_normal()},
      {"multiwindow_title_back_color", back_darkest()},
      {"multiwindow_tab_color", back_normal()},
      {"multiwindow_tab_color_selected", back_hover()},
      {"multiwindow_tab_gradient", flag(false)},
      {"multiwindow_tab_gradient_1", back_hover()},
      {"multiwindow_tab_gradient_2", back_normal()},
      {"multiwindow_tab_gradient_1_selected", selected_light()},
      {"multiwindow_tab_gradient_2_selected", back_selected()},
      {"multiwindow_tab_line_color", border_normal()},
      {"multiwindow_tab_line_color_selected", border_focus()},
      {"multiwindow_tab_split_line_color", line_dark()},
      {"multiwindow_tab_font_name", font_name()},
      {"multiwindow_tab_font_style", upright()},
      {"multiwindow_tab_font_weight", normal_weight()},
      {"multiwindow_tab_font_size", font_size()},
      {"multiwindow_tab_font_color", text_grey()},
      {"multiwindow_button_color", back_normal()},
      {"multiwindow_button_gradient", flag(false)},
      {"multiwindow_button_gradient_1", back_hover()},
      {"multiwindow_button_gradient_2", back_normal()},
      {"multiwindow_button_line_color", border_normal()},
      {"multiwindow_button_image", picture(res::triangle_right_png, res::triangle_right_png_size)},
      {"multiwindow_button_border_color_hover", white()},
  };
}

}  // namespace

std::span<const style_entry> default_style_entries() {
  static const std::vector<style_entry> entries = build_entries();
  return entries;
}

const style_table& style_defaults() {
  static const style_table table = [] {
    style_table filled;
    for (const style_entry& entry : default_style_entries()) {
      filled.emplace(entry.key, entry.value);
    }
    return filled;
  }();
  return table;
}

}  // namespace hbsdk::ui
