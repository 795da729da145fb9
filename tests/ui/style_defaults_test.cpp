#include "hbsdk/ui/style_defaults.h"

#include "resources/embedded.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ui = hbsdk::ui;

namespace {

std::string family_of(std::string_view key) {
  // Family names contain no underscore: the key's text up to its first one.
  return std::string(key.substr(0, key.find('_')));
}

}  // namespace

TEST(style_defaults, holds_199_distinct_entries_in_family_order) {
  const auto entries = ui::default_style_entries();
  ASSERT_EQ(entries.size(), 199u);
  EXPECT_EQ(ui::style_defaults().size(), 199u);

  std::vector<std::string> families;
  std::vector<int> sizes;
  std::set<std::string_view> keys;
  for (const ui::style_entry& entry : entries) {
    EXPECT_TRUE(keys.insert(entry.key.view()).second) << entry.key.view();
    const std::string family = family_of(entry.key.view());
    if (families.empty() || families.back() != family) {
      families.push_back(family);
      sizes.push_back(0);
    }
    ++sizes.back();
  }
  const std::vector<std::string> expected_families{
      "default", "checkbox",    "colorcontrol", "dropdown",  "button",     "menubar",    "splitpanel",
      "tooltip", "multicolumn", "tabcontainer", "tabbutton", "float",      "multifloat", "input",
      "scroll",  "label",       "browser",      "editparam", "multiwindow"};
  const std::vector<int> expected_sizes{1, 11, 6, 20, 14, 9, 4, 13, 18, 1, 11, 9, 5, 10, 5, 7, 16, 14, 25};
  EXPECT_EQ(families, expected_families);
  EXPECT_EQ(sizes, expected_sizes);
  EXPECT_EQ(entries.front().key, ui::style_key("default_back_color"));
  EXPECT_EQ(entries.back().key, ui::style_key("multiwindow_button_border_color_hover"));
}

TEST(style_defaults, the_read_families_have_their_documented_values) {
  const ui::style_table& d = ui::style_defaults();
  EXPECT_EQ(d.at("default_back_color").as_color(), (ui::color{1, 0, 1, 1}));
  EXPECT_EQ(d.at("checkbox_border_color_focus").as_color(), (ui::color{0.255f, 0.584f, 0.753f, 1}));
  EXPECT_EQ(d.at("checkbox_border_width").as_float(), 1.0f);
  EXPECT_EQ(d.at("button_font_weight").as_int(), 2);
  EXPECT_EQ(d.at("button_font_size").as_float(), 11.0f);
  EXPECT_EQ(d.at("button_color_toggle").as_color(), (ui::color{0.188f, 0.29f, 0.506f, 1}));
  EXPECT_EQ(d.at("tooltip_title_font_weight").as_int(), 2);
  EXPECT_EQ(d.at("scroll_back_color").as_color(), (ui::color{0.067f, 0.071f, 0.078f, 1}));
  EXPECT_EQ(d.at("label_font_name").as_string(), "tahoma");
  EXPECT_EQ(d.at("label_text_valign").as_int(), 0);
  EXPECT_FALSE(d.contains("Label_font_name"));

  const ui::style_image none = d.at("button_back_image").as_image();
  EXPECT_EQ(none.size, 0u);
  EXPECT_EQ(none.frame_count, 1);
  EXPECT_EQ(none.scale, 1.0f);
}

TEST(style_defaults, image_values_reference_the_embedded_bytes) {
  namespace res = hb::resources;
  const ui::style_table& d = ui::style_defaults();
  const ui::style_image checkbox = d.at("checkbox_image").as_image();
  EXPECT_EQ(checkbox.data, res::checkbox_png);
  EXPECT_EQ(checkbox.size, res::checkbox_png_size);
  EXPECT_EQ(checkbox.frame_count, 2);
  EXPECT_EQ(checkbox.scale, 1.0f);
  for (const char* key : {"browser_pack_image", "browser_stared_image", "browser_alien_image"}) {
    EXPECT_EQ(d.at(key).as_image().data, res::browser_pack_png) << key;
  }
  EXPECT_EQ(d.at("browser_folder_image").as_image().data, res::browser_folder_png);
  EXPECT_EQ(d.at("browser_virtual_image").as_image().data, res::browser_virtual_png);
  EXPECT_EQ(d.at("dropdown_button_image").as_image().data, res::triangle_down_png);
  EXPECT_EQ(d.at("multiwindow_button_image").as_image().data, res::triangle_right_png);
}

namespace {

enum class kind { colour, number, integer, flag, text, picture };

// The kind a value's data has. Floats and integers both take 4 bytes: the
// integers of the table are small enumerations and counts, which read as
// denormal floats, while its floats are sizes that read as huge integers.
kind kind_of(const ui::style_value& value) {
  const std::size_t size = value.bytes().size();
  if (size == 0) return kind::colour;
  if (size == 1) return kind::flag;
  if (size == 24) return kind::picture;
  if (size == 4 && value.as_int() > -1000 && value.as_int() < 1000) return kind::integer;
  if (size == 4 && std::isnormal(value.as_float())) return kind::number;
  return kind::text;
}

ui::style_value rgba(float r, float g, float b, float a) { return ui::style_value::from_color({r, g, b, a}); }

struct keyed_kind {
  const char* key;
  kind expected;
};

// Every default in table order with its kind.
const keyed_kind all_entries[] = {
    // default
    {"default_back_color", kind::colour},
    // checkbox
    {"checkbox_back_color", kind::colour},
    {"checkbox_border_color_normal", kind::colour},
    {"checkbox_border_color_hover", kind::colour},
    {"checkbox_border_color_focus", kind::colour},
    {"checkbox_border_width", kind::number},
    {"checkbox_font_name", kind::text},
    {"checkbox_font_style", kind::integer},
    {"checkbox_font_weight", kind::integer},
    {"checkbox_font_color", kind::colour},
    {"checkbox_font_size", kind::number},
    {"checkbox_image", kind::picture},
    // colorcontrol
    {"colorcontrol_gradient_1", kind::colour},
    {"colorcontrol_gradient_2", kind::colour},
    {"colorcontrol_border_color_normal", kind::colour},
    {"colorcontrol_border_color_hover", kind::colour},
    {"colorcontrol_border_color_focus", kind::colour},
    {"colorcontrol_back_color_disabled", kind::colour},
    // dropdown
    {"dropdown_text_part_color", kind::colour},
    {"dropdown_text_part_color_hover", kind::colour},
    {"dropdown_gradient_text", kind::flag},
    {"dropdown_gradient_text_1", kind::colour},
    {"dropdown_gradient_text_2", kind::colour},
    {"dropdown_button_part_color", kind::colour},
    {"dropdown_button_part_color_hover", kind::colour},
    {"dropdown_gradient_button", kind::flag},
    {"dropdown_gradient_button_1", kind::colour},
    {"dropdown_gradient_button_2", kind::colour},
    {"dropdown_button_image", kind::picture},
    {"dropdown_border_color_normal", kind::colour},
    {"dropdown_border_color_hover", kind::colour},
    {"dropdown_border_color_focus", kind::colour},
    {"dropdown_font_name", kind::text},
    {"dropdown_font_style", kind::integer},
    {"dropdown_font_weight", kind::integer},
    {"dropdown_font_color", kind::colour},
    {"dropdown_font_size", kind::number},
    {"dropdown_text_align", kind::integer},
    // button
    {"button_color_normal", kind::colour},
    {"button_color_hover", kind::colour},
    {"button_color_toggle", kind::colour},
    {"button_border_color_normal", kind::colour},
    {"button_border_color_hover", kind::colour},
    {"button_border_color_focus", kind::colour},
    {"button_font_name", kind::text},
    {"button_font_style", kind::integer},
    {"button_font_weight", kind::integer},
    {"button_font_color", kind::colour},
    {"button_font_color_hover", kind::colour},
    {"button_font_color_pressed", kind::colour},
    {"button_font_size", kind::number},
    {"button_back_image", kind::picture},
    // menubar
    {"menubar_back_color_selected", kind::colour},
    {"menubar_back_color_highlight", kind::colour},
    {"menubar_font_name", kind::text},
    {"menubar_font_style", kind::integer},
    {"menubar_font_weight", kind::integer},
    {"menubar_font_color", kind::colour},
    {"menubar_font_color_selected", kind::colour},
    {"menubar_font_color_highlight", kind::colour},
    {"menubar_font_size", kind::number},
    // splitpanel
    {"splitpanel_back_color", kind::colour},
    {"splitpanel_border_color", kind::colour},
    {"splitpanel_mark_color", kind::colour},
    {"splitpanel_split_thickness", kind::integer},
    // tooltip
    {"tooltip_back_color", kind::colour},
    {"tooltip_border_color", kind::colour},
    {"tooltip_border_color_1", kind::colour},
    {"tooltip_font_name", kind::text},
    {"tooltip_font_style", kind::integer},
    {"tooltip_font_weight", kind::integer},
    {"tooltip_font_color", kind::colour},
    {"tooltip_font_size", kind::number},
    {"tooltip_title_font_name", kind::text},
    {"tooltip_title_font_style", kind::integer},
    {"tooltip_title_font_weight", kind::integer},
    {"tooltip_title_font_color", kind::colour},
    {"tooltip_title_font_size", kind::number},
    // multicolumn
    {"multicolumn_header_color", kind::colour},
    {"multicolumn_header_divider_color", kind::colour},
    {"multicolumn_header_font_name", kind::text},
    {"multicolumn_header_font_style", kind::integer},
    {"multicolumn_header_font_weight", kind::integer},
    {"multicolumn_header_font_color", kind::colour},
    {"multicolumn_header_font_size", kind::number},
    {"multicolumn_font_name", kind::text},
    {"multicolumn_font_style", kind::integer},
    {"multicolumn_font_weight", kind::integer},
    {"multicolumn_font_size", kind::number},
    {"multicolumn_font_color", kind::colour},
    {"multicolumn_font_color_selected", kind::colour},
    {"multicolumn_font_color_disabled", kind::colour},
    {"multicolumn_back_color_selected", kind::colour},
    {"multicolumn_font_color_highlighted", kind::colour},
    {"multicolumn_divider_color", kind::colour},
    {"multicolumn_line_color", kind::colour},
    // tabcontainer
    {"tabcontainer_line_color", kind::colour},
    // tabbutton
    {"tabbutton_gradient_1", kind::colour},
    {"tabbutton_gradient_2", kind::colour},
    {"tabbutton_gradient_1_selected", kind::colour},
    {"tabbutton_gradient_2_selected", kind::colour},
    {"tabbutton_gradient_1_hover", kind::colour},
    {"tabbutton_font_name", kind::text},
    {"tabbutton_font_style", kind::integer},
    {"tabbutton_font_weight", kind::integer},
    {"tabbutton_font_size", kind::number},
    {"tabbutton_font_color", kind::colour},
    {"tabbutton_font_color_selected", kind::colour},
    // float
    {"float_font_name", kind::text},
    {"float_font_style", kind::integer},
    {"float_font_weight", kind::integer},
    {"float_font_size", kind::number},
    {"float_font_color", kind::colour},
    {"float_font_color_disabled", kind::colour},
    {"float_input_back_color", kind::colour},
    {"float_input_font_color", kind::colour},
    {"float_input_font_default_text_color", kind::colour},
    // multifloat
    {"multifloat_font_name", kind::text},
    {"multifloat_font_size", kind::number},
    {"multifloat_font_weight", kind::integer},
    {"multifloat_font_style", kind::integer},
    {"multifloat_font_color", kind::colour},
    // input
    {"input_border_color", kind::colour},
    {"input_selection_color", kind::colour},
    {"input_ime_cursor_color", kind::colour},
    {"input_ime_block_color", kind::colour},
    {"input_font_name", kind::text},
    {"input_font_style", kind::integer},
    {"input_font_weight", kind::integer},
    {"input_font_size", kind::number},
    {"input_font_color", kind::colour},
    {"input_font_default_text_color", kind::colour},
    // scroll
    {"scroll_button_back_color", kind::colour},
    {"scroll_button_line_color", kind::colour},
    {"scroll_bar_back_color", kind::colour},
    {"scroll_bar_line_color", kind::colour},
    {"scroll_back_color", kind::colour},
    // label
    {"label_font_name", kind::text},
    {"label_font_style", kind::integer},
    {"label_font_weight", kind::integer},
    {"label_font_size", kind::number},
    {"label_font_color", kind::colour},
    {"label_text_align", kind::integer},
    {"label_text_valign", kind::integer},
    // browser
    {"browser_back_color", kind::colour},
    {"browser_back_color_hover", kind::colour},
    {"browser_back_color_selected", kind::colour},
    {"browser_font_color", kind::colour},
    {"browser_font_color_hover", kind::colour},
    {"browser_font_color_selected", kind::colour},
    {"browser_font_name", kind::text},
    {"browser_font_style", kind::integer},
    {"browser_font_weight", kind::integer},
    {"browser_font_weight_selected", kind::integer},
    {"browser_font_size", kind::number},
    {"browser_folder_image", kind::picture},
    {"browser_pack_image", kind::picture},
    {"browser_stared_image", kind::picture},
    {"browser_alien_image", kind::picture},
    {"browser_virtual_image", kind::picture},
    // editparam
    {"editparam_height", kind::integer},
    {"editparam_back_color", kind::colour},
    {"editparam_back_color_hover", kind::colour},
    {"editparam_font_color", kind::colour},
    {"editparam_font_color_disabled", kind::colour},
    {"editparam_font_name", kind::text},
    {"editparam_font_style", kind::integer},
    {"editparam_font_weight", kind::integer},
    {"editparam_font_size", kind::number},
    {"editparam_title_height", kind::integer},
    {"editparam_title_back_color", kind::colour},
    {"editparam_title_font_weight", kind::integer},
    {"editparam_title_font_color", kind::colour},
    {"editparam_icon_image", kind::picture},
    // multiwindow
    {"multiwindow_back_color", kind::colour},
    {"multiwindow_border_color", kind::colour},
    {"multiwindow_title_back_color", kind::colour},
    {"multiwindow_tab_color", kind::colour},
    {"multiwindow_tab_color_selected", kind::colour},
    {"multiwindow_tab_gradient", kind::flag},
    {"multiwindow_tab_gradient_1", kind::colour},
    {"multiwindow_tab_gradient_2", kind::colour},
    {"multiwindow_tab_gradient_1_selected", kind::colour},
    {"multiwindow_tab_gradient_2_selected", kind::colour},
    {"multiwindow_tab_line_color", kind::colour},
    {"multiwindow_tab_line_color_selected", kind::colour},
    {"multiwindow_tab_split_line_color", kind::colour},
    {"multiwindow_tab_font_name", kind::text},
    {"multiwindow_tab_font_style", kind::integer},
    {"multiwindow_tab_font_weight", kind::integer},
    {"multiwindow_tab_font_size", kind::number},
    {"multiwindow_tab_font_color", kind::colour},
    {"multiwindow_button_color", kind::colour},
    {"multiwindow_button_gradient", kind::flag},
    {"multiwindow_button_gradient_1", kind::colour},
    {"multiwindow_button_gradient_2", kind::colour},
    {"multiwindow_button_line_color", kind::colour},
    {"multiwindow_button_image", kind::picture},
    {"multiwindow_button_border_color_hover", kind::colour},
};

struct keyed_value {
  const char* key;
  ui::style_value expected;
};

}  // namespace

TEST(style_defaults, every_key_comes_in_table_order_with_its_kind) {
  const auto entries = ui::default_style_entries();
  ASSERT_EQ(entries.size(), std::size(all_entries));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(all_entries[i].key);
    EXPECT_EQ(entries[i].key, ui::style_key(all_entries[i].key));
    EXPECT_EQ(kind_of(entries[i].value), all_entries[i].expected);
    const ui::style_value& value = entries[i].value;
    switch (all_entries[i].expected) {
      case kind::colour:
        for (const float part : {value.as_color().red, value.as_color().green, value.as_color().blue,
                                 value.as_color().alpha}) {
          EXPECT_TRUE(part >= 0.0f && part <= 1.0f) << part;
        }
        break;
      case kind::flag:
        EXPECT_LE(static_cast<unsigned char>(value.bytes()[0]), 1u);
        break;
      case kind::text:
        EXPECT_FALSE(value.as_string().empty());  // a font family name
        break;
      case kind::picture:
        EXPECT_GE(value.as_image().frame_count, 1);
        EXPECT_GT(value.as_image().scale, 0.0f);
        break;
      default:
        break;
    }
  }
}

TEST(style_defaults, every_value_the_table_fixes_is_the_default) {
  namespace res = hb::resources;
  const keyed_value fixed[] = {
      {"default_back_color", rgba(1, 0, 1, 1)},
      {"checkbox_back_color", rgba(0, 0, 0, 0)},
      {"checkbox_border_color_normal", rgba(0.294f, 0.294f, 0.294f, 1)},
      {"checkbox_border_color_hover", rgba(1, 1, 1, 1)},
      {"checkbox_border_color_focus", rgba(0.255f, 0.584f, 0.753f, 1)},
      {"checkbox_border_width", ui::style_value::from_float(1.0f)},
      {"checkbox_font_name", ui::style_value::from_string("tahoma")},
      {"checkbox_font_style", ui::style_value::from_int(0)},
      {"checkbox_font_weight", ui::style_value::from_int(0)},
      {"checkbox_font_color", rgba(1, 1, 1, 1)},
      {"checkbox_font_size", ui::style_value::from_float(11.0f)},
      {"checkbox_image", ui::style_value::from_image(res::checkbox_png, res::checkbox_png_size, 2, 1.0f)},
      {"button_color_normal", rgba(0.173f, 0.176f, 0.192f, 1)},
      {"button_color_hover", rgba(0.239f, 0.247f, 0.263f, 1)},
      {"button_color_toggle", rgba(0.188f, 0.29f, 0.506f, 1)},
      {"button_border_color_normal", rgba(0, 0, 0, 0)},
      {"button_border_color_hover", rgba(1, 1, 1, 1)},
      {"button_border_color_focus", rgba(0.6f, 0.6f, 0.6f, 1)},
      {"button_font_name", ui::style_value::from_string("tahoma")},
      {"button_font_style", ui::style_value::from_int(0)},
      {"button_font_weight", ui::style_value::from_int(2)},
      {"button_font_color", rgba(1, 1, 1, 1)},
      {"button_font_color_hover", rgba(1, 1, 1, 1)},
      {"button_font_color_pressed", rgba(1, 1, 1, 1)},
      {"button_font_size", ui::style_value::from_float(11.0f)},
      {"button_back_image", ui::style_value::no_image(1, 1.0f)},
      {"tooltip_back_color", rgba(0.106f, 0.106f, 0.11f, 1)},
      {"tooltip_border_color", rgba(0.29f, 0.31f, 0.325f, 1)},
      {"tooltip_border_color_1", rgba(0, 0, 0, 1)},
      {"tooltip_font_name", ui::style_value::from_string("tahoma")},
      {"tooltip_font_style", ui::style_value::from_int(0)},
      {"tooltip_font_weight", ui::style_value::from_int(0)},
      {"tooltip_font_color", rgba(0.655f, 0.655f, 0.655f, 1)},
      {"tooltip_font_size", ui::style_value::from_float(11.0f)},
      {"tooltip_title_font_name", ui::style_value::from_string("tahoma")},
      {"tooltip_title_font_style", ui::style_value::from_int(0)},
      {"tooltip_title_font_weight", ui::style_value::from_int(2)},
      {"tooltip_title_font_color", rgba(1, 1, 1, 1)},
      {"tooltip_title_font_size", ui::style_value::from_float(11.0f)},
      {"scroll_button_back_color", rgba(0.22f, 0.235f, 0.251f, 1)},
      {"scroll_button_line_color", rgba(0.325f, 0.325f, 0.325f, 1)},
      {"scroll_bar_back_color", rgba(0.145f, 0.149f, 0.165f, 1)},
      {"scroll_bar_line_color", rgba(0.314f, 0.314f, 0.314f, 1)},
      {"scroll_back_color", rgba(0.067f, 0.071f, 0.078f, 1)},
      {"label_font_name", ui::style_value::from_string("tahoma")},
      {"label_font_style", ui::style_value::from_int(0)},
      {"label_font_weight", ui::style_value::from_int(0)},
      {"label_font_size", ui::style_value::from_float(11.0f)},
      {"label_font_color", rgba(1, 1, 1, 1)},
      {"label_text_align", ui::style_value::from_int(0)},
      {"label_text_valign", ui::style_value::from_int(0)},
  };
  const ui::style_table& d = ui::style_defaults();
  for (const keyed_value& entry : fixed) {
    SCOPED_TRACE(entry.key);
    ASSERT_TRUE(d.contains(entry.key));
    EXPECT_EQ(d.at(entry.key), entry.expected);
  }
}
