#include "widget_fixture.h"

#include "hbsdk/ui/markup_parser.h"
#include "hbsdk/ui/rich_text.h"
#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/widgets/text_label.h"

namespace {

// Five ten-letter words: at 5.5 per character three fit in 200 dips, then two.
constexpr const char* five_words = "abcdefghij abcdefghij abcdefghij abcdefghij abcdefghij";

class text_label_test : public widget_test {
protected:
  text_label_test() { label.create(win.root, {10, 20, 200, 30}); }

  ui::TextLabel label;
};

}  // namespace

TEST_F(text_label_test, draws_its_background_and_its_text_at_alpha_one_half_when_disabled) {
  EXPECT_EQ(kinds(paint(label)), std::vector<draw_kind>{draw_kind::fill_rect});  // no text, background only
  label.style.set_style_color("label_font_color", {0.2f, 0.4f, 0.6f, 0.8f});
  ui::replace_theme_overrides({{"label_text_align", ui::style_value::from_int(2)}});
  label.set_text("Hello", false);
  auto text = of_kind(paint(label), draw_kind::text).at(0);
  EXPECT_EQ(text.area, edges(0, 0, 200, 30));
  EXPECT_EQ(text.colour, (ui::color{0.2f, 0.4f, 0.6f, 0.8f}));
  EXPECT_EQ(text.style.horizontal, ui::horizontal_alignment::trailing);
  win.root.set_enabled(false);  // disabled through its parent
  EXPECT_EQ(of_kind(paint(label), draw_kind::text).at(0).colour, (ui::color{0.2f, 0.4f, 0.6f, 0.5f}));
}

TEST_F(text_label_test, fit_height_takes_the_wrapped_height_plus_one_and_follows_style_changes) {
  label.set_text(five_words, false);
  EXPECT_EQ(label.bounds(), (ui::rect{10, 20, 200, 30}));
  label.set_text(five_words, true);
  EXPECT_EQ(label.bounds(), (ui::rect{10, 20, 200, 2 * 12 + 1}));

  ui::replace_theme_overrides({{"label_font_size", ui::style_value::from_float(21.0f)}});
  label.style.set_style_color("label_font_color", {1, 1, 1, 1});  // any key
  EXPECT_EQ(label.bounds(), (ui::rect{10, 20, 200, 5 * 22 + 1}));  // one word per line
}

TEST_F(text_label_test, a_label_that_wraps_anywhere_breaks_a_long_path_between_any_characters) {
  // A folder of 324 characters without a space.
  std::string path = "Z:\\";
  while (path.size() < 324) path += "folder_name_without_spaces\\";
  path.resize(324);
  label.set_text(path, true);
  EXPECT_EQ(label.wrapping(), ui::text_wrapping::words);
  EXPECT_EQ(label.height(), 1 * 12 + 1);  // between words: one line that runs past the edge
  EXPECT_EQ(of_kind(paint(label), draw_kind::text).at(0).style.wrapping, ui::text_wrapping::words);

  label.set_wrapping(ui::text_wrapping::anywhere);  // fits again at once
  // 36 characters of 5.5 fit in 200 dips: 9 full lines.
  EXPECT_EQ(label.height(), 9 * 12 + 1);
  const auto text = of_kind(paint(label), draw_kind::text).at(0);
  EXPECT_EQ(text.style.wrapping, ui::text_wrapping::anywhere);
  EXPECT_EQ(text.text, std::u16string(path.begin(), path.end()));  // whole and exact
}

TEST_F(text_label_test, a_label_outside_a_created_window_does_not_fit) {
  ui::window bare;  // a tree without a native window or renderer
  bare.create_tree({0, 0, 300, 200});
  ui::TextLabel outside;
  outside.create(bare.root, {0, 0, 200, 30});
  outside.set_text(five_words, true);
  EXPECT_EQ(outside.bounds(), (ui::rect{0, 0, 200, 30}));
}

TEST_F(text_label_test, rich_mode_draws_a_ready_document_in_the_label_rectangle) {
  const ui::parsed_markup parsed = ui::parse_markup("<b>Rich</b> text");
  ui::rich_text document(parsed.text, parsed.runs);
  label.set_text("plain", false);
  label.set_document(&document);
  EXPECT_TRUE(label.rich());
  EXPECT_EQ(kinds(paint(label)), std::vector<draw_kind>{draw_kind::fill_rect});  // not ready: background only
  document.ready = true;
  ui::replace_theme_overrides({{"label_text_align", ui::style_value::from_int(1)}});
  const auto calls = paint(label);
  EXPECT_EQ(kinds(calls), (std::vector<draw_kind>{draw_kind::fill_rect, draw_kind::rich_text}));
  const auto rich = of_kind(calls, draw_kind::rich_text).at(0);
  EXPECT_EQ(rich.area, edges(0, 0, 200, 30));
  EXPECT_EQ(rich.text, u"Rich text");
  EXPECT_EQ(rich.colour, (ui::color{0, 0, 0, 1}));  // outside colour runs: the rich text colour
  EXPECT_EQ(rich.style.horizontal, ui::horizontal_alignment::centre);
  ASSERT_EQ(rich.runs.size(), 1u);
  EXPECT_EQ(rich.runs[0].weight, 700);

  label.set_document(nullptr);  // back to the plain text
  EXPECT_FALSE(label.rich());
  EXPECT_EQ(of_kind(paint(label), draw_kind::text).at(0).text, u"plain");
}

TEST_F(text_label_test, new_text_and_style_changes_ask_for_a_repaint) {
  platform.clear_repaints();
  label.set_text("Hello", false);  // the size stays: only the label's own request repaints it
  EXPECT_TRUE(repainted(label)) << "new text";
  label.style.set_style_color("label_font_color", {0.2f, 0.4f, 0.6f, 1});
  EXPECT_TRUE(repainted(label)) << "style changed";
}

TEST_F(text_label_test, reads_as_static_text_and_announces_a_new_text_once) {
  support::headless_window_backend& native = platform.backend_of(win);
  label.set_text("Hello", false);
  const ui::accessible_description described = label.describe();
  EXPECT_EQ(described.role, ui::accessible_role::static_text);
  EXPECT_EQ(described.name, "Hello");
  EXPECT_TRUE(described.default_action.empty());
  EXPECT_FALSE(label.do_default_action());

  native.clear_accessibility_events();
  label.set_text("Hello", false);  // the same text: nothing to announce
  label.set_text("Bye", false);
  using record = support::headless_window_backend::accessibility_record;
  EXPECT_EQ(native.accessibility_events(), (std::vector<record>{{ui::accessible_change::name, 1}}));
}
