#include "hbsdk/ui/style_block.h"

#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/theme_overrides.h"
#include "hbsdk/ui/widget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui = hbsdk::ui;

namespace {

class style_block_test : public ::testing::Test {
protected:
  ~style_block_test() override { ui::replace_theme_overrides({}); }

  // Records the key texts of style_changed on a widget.
  void watch(ui::widget& w) {
    ui::connect(&w, ui::event_type::style_changed, [this](const ui::event_info& info) {
      changed.push_back(ui::value_pointer<const char>(info.value));
    });
  }

  std::vector<const char*> changed;
  ui::widget first;
  ui::widget second;
};

constexpr ui::color red{1, 0, 0, 1};

}  // namespace

TEST_F(style_block_test, a_fresh_widget_reads_the_defaults) {
  EXPECT_EQ(first.style.get_style_float("button_font_size"), 11.0f);
  EXPECT_EQ(first.style.get_style_int("button_font_weight"), 2);
  EXPECT_EQ(first.style.get_style_color("default_back_color"), (ui::color{1, 0, 1, 1}));
  EXPECT_EQ(first.style.get_style_string("checkbox_font_name"), "tahoma");
  EXPECT_FALSE(first.style.get_style_flag("dropdown_gradient_text"));
  EXPECT_EQ(first.style.get_style_image("button_back_image").size, 0u);
}

TEST_F(style_block_test, an_unknown_or_miscased_key_reads_empty) {
  EXPECT_EQ(first.style.get_style_color("Default_back_color"), (ui::color{0, 0, 0, 0}));
  EXPECT_EQ(first.style.get_style_float("no_such_key"), 0.0f);
  EXPECT_EQ(first.style.get_style_int("no_such_key"), 0);
  EXPECT_FALSE(first.style.get_style_flag("no_such_key"));
  EXPECT_EQ(first.style.get_style_string("no_such_key"), "");
  EXPECT_EQ(first.style.get_style_image("no_such_key").data, nullptr);
}

TEST_F(style_block_test, an_own_colour_affects_only_its_widget_and_notifies_it_with_the_key_address) {
  static const char key[] = "default_back_color";
  watch(first);
  ui::connect(&second, ui::event_type::style_changed,
              [](const ui::event_info&) { FAIL() << "wrong widget"; });
  first.style.set_style_color(key, red);
  first.style.set_style_color(key, red);  // the same value notifies again
  EXPECT_EQ(first.style.get_style_color(key), red);
  EXPECT_EQ(second.style.get_style_color(key), (ui::color{1, 0, 1, 1}));
  EXPECT_EQ(changed, (std::vector<const char*>{key, key}));
  EXPECT_TRUE(first.style.lookup(key).bytes().empty());
}

TEST_F(style_block_test, layers_answer_nearest_first_and_overrides_are_replaced_whole) {
  ui::style_table theme;
  theme.emplace("default_back_color", ui::style_value::from_color({0, 1, 0, 1}));
  theme.emplace("label_font_name", ui::style_value::from_string("verdana"));
  ui::replace_theme_overrides(theme);
  first.style.set_style_color("default_back_color", red);
  EXPECT_EQ(first.style.get_style_color("default_back_color"), red);
  EXPECT_EQ(second.style.get_style_color("default_back_color"), (ui::color{0, 1, 0, 1}));
  EXPECT_EQ(second.style.get_style_string("label_font_name"), "verdana");

  ui::style_table smaller;
  smaller.emplace("label_font_name", ui::style_value::from_string("courier"));
  ui::replace_theme_overrides(smaller);
  EXPECT_EQ(second.style.get_style_color("default_back_color"), (ui::color{1, 0, 1, 1}));
  EXPECT_EQ(second.style.get_style_string("label_font_name"), "courier");
  ui::replace_theme_overrides({});
  EXPECT_EQ(second.style.get_style_string("label_font_name"), "tahoma");
}

TEST_F(style_block_test, an_alias_redirects_once) {
  ui::style_table theme;
  theme.emplace("label_intro_text_valign", ui::style_value::from_int(1));
  ui::replace_theme_overrides(theme);
  watch(first);

  first.style.set_style_alias("label_text_valign", "label_intro_text_valign");
  EXPECT_EQ(first.style.get_style_int("label_text_valign"), 1);  // the override's value
  EXPECT_EQ(std::string(changed.at(0)), "label_text_valign");

  // A target that exists nowhere reads empty, although the key has a default.
  first.style.set_style_alias("label_font_size", "title_font_size");
  EXPECT_EQ(first.style.get_style_float("label_font_size"), 0.0f);

  // A target that is itself aliased is not followed further.
  first.style.set_style_alias("button_font_size", "label_font_size");
  EXPECT_EQ(first.style.get_style_float("button_font_size"), 11.0f);
  EXPECT_EQ(second.style.get_style_int("label_text_valign"), 0);
}
