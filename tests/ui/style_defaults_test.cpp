#include "hbsdk/ui/style_defaults.h"

#include "resources/embedded.h"

#include <gtest/gtest.h>

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
