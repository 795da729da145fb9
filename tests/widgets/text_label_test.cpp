#include "widget_fixture.h"

#include "hbsdk/ui/widgets/text_label.h"

namespace {

// Five ten-letter words: 54 characters, wrapped by the recording metrics.
constexpr const char* five_words = "abcdefghij abcdefghij abcdefghij abcdefghij abcdefghij";

class text_label_test : public widget_test {
protected:
  text_label_test() { label.create(win.root, {10, 20, 200, 30}); }

  ui::TextLabel label;
};

}  // namespace

TEST_F(text_label_test, an_empty_text_paints_only_the_background) {
  label.style.set_style_color("default_back_color", {0.1f, 0.2f, 0.3f, 1});
  const auto calls = paint(label);
  ASSERT_EQ(kinds(calls), std::vector<draw_kind>{draw_kind::fill_rect});
  EXPECT_EQ(calls[0].area, edges(0, 0, 200, 30));
  EXPECT_EQ(calls[0].colour, (ui::color{0.1f, 0.2f, 0.3f, 1}));
}

TEST_F(text_label_test, draws_its_text_in_the_style_font_alignment_and_colour) {
  ui::replace_theme_overrides({{"label_text_align", ui::style_value::from_int(2)},
                               {"label_text_valign", ui::style_value::from_int(1)},
                               {"label_font_weight", ui::style_value::from_int(2)},
                               {"label_font_style", ui::style_value::from_int(1)},
                               {"label_font_name", ui::style_value::from_string("Verdana")}});
  label.set_text("Hello", false);
  const auto text = of_kind(paint(label), draw_kind::text).at(0);
  EXPECT_EQ(text.text, u"Hello");
  EXPECT_EQ(text.area, edges(0, 0, 200, 30));
  EXPECT_EQ(text.colour, (ui::color{1, 1, 1, 1}));
  EXPECT_EQ(text.style.family, u"Verdana");
  EXPECT_EQ(text.style.size, 11.0f);
  EXPECT_EQ(text.style.weight, 700);
  EXPECT_TRUE(text.style.italic);
  EXPECT_EQ(text.style.horizontal, ui::horizontal_alignment::trailing);
  EXPECT_EQ(text.style.vertical, ui::vertical_alignment::near);
}

TEST_F(text_label_test, a_disabled_label_draws_its_text_at_alpha_one_half) {
  label.style.set_style_color("label_font_color", {0.2f, 0.4f, 0.6f, 0.8f});
  label.set_text("Hello", false);
  EXPECT_EQ(of_kind(paint(label), draw_kind::text).at(0).colour, (ui::color{0.2f, 0.4f, 0.6f, 0.8f}));
  win.root.set_enabled(false);  // disabled through its parent
  EXPECT_EQ(of_kind(paint(label), draw_kind::text).at(0).colour, (ui::color{0.2f, 0.4f, 0.6f, 0.5f}));
}

TEST_F(text_label_test, fit_height_wraps_to_the_width_and_takes_the_text_height_plus_one) {
  label.set_text(five_words, true);
  // 5.5 per character: three words (33 characters) fit in 200, then two.
  EXPECT_EQ(label.bounds(), (ui::rect{10, 20, 200, 2 * 12 + 1}));
  EXPECT_TRUE(label.fit_height());
  EXPECT_FALSE(label.fit_width());

  label.set_text("", true);
  EXPECT_EQ(label.bounds(), (ui::rect{10, 20, 200, 0}));
}

TEST_F(text_label_test, without_fit_height_the_rectangle_stays) {
  label.set_text(five_words, false);
  EXPECT_EQ(label.bounds(), (ui::rect{10, 20, 200, 30}));
}

TEST_F(text_label_test, any_style_change_fits_again) {
  label.set_text(five_words, true);
  ui::replace_theme_overrides({{"label_font_size", ui::style_value::from_float(21.0f)}});
  EXPECT_EQ(label.height(), 25);  // overrides notify nobody
  label.style.set_style_color("label_font_color", {1, 1, 1, 1});
  EXPECT_EQ(label.bounds(), (ui::rect{10, 20, 200, 5 * 22 + 1}));  // one word per line
}

TEST_F(text_label_test, a_label_outside_a_created_window_does_not_fit_until_it_can_measure) {
  ui::window bare;  // a tree without a native window or renderer
  bare.create_tree({0, 0, 300, 200});
  ui::TextLabel outside;
  outside.create(bare.root, {0, 0, 200, 30});
  outside.set_text(five_words, true);
  EXPECT_EQ(outside.bounds(), (ui::rect{0, 0, 200, 30}));
}
