// Text through pango: fonts, measuring, wrapping and alignment.
#include "cairo_canvas.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/cairo/application_fonts.h"
#include "hbsdk/ui/cairo/pango_text_context.h"

#include <pango/pangocairo.h>

#include <string>

namespace {

class cairo_text : public ::testing::Test {
protected:
  cairo_text() : canvas(200, 100), root({0, 0, 200, 100}) {}

  ui::size measure(std::string_view text, ui::size maximum = {}) { return canvas.painter().measure_text(text, maximum); }
  ui::size_f layout_size(std::string_view text, float max_width = 0.0f) {
    return canvas.backend().measure_text(ui::drawable_text(text), canvas.painter().current_text_style(),
                                         {max_width, 0.0f});
  }
  std::optional<ui::edge_rect> drawn(std::string_view text, const ui::rect& box) {
    canvas.begin(root.w);
    canvas.painter().text_color = {0.0f, 0.0f, 0.0f, 1.0f};
    canvas.painter().draw_text(box, text);
    canvas.end();
    return canvas.ink_box();
  }

  cairo_canvas canvas;
  placed_widget root;
};

TEST(application_fonts, tahoma_comes_from_the_wine_fonts_and_serves_its_family) {
  const std::vector<std::string>& added = ui::register_application_fonts();
  ASSERT_EQ(added.size(), 2u) << "fonts-wine's tahoma.ttf and tahomabd.ttf are needed";
  PangoFontDescription* wanted = pango_font_description_from_string("tahoma 12");
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  PangoFont* font = pango_context_load_font(context, wanted);
  ASSERT_NE(font, nullptr);
  PangoFontDescription* loaded = pango_font_describe(font);
  EXPECT_STREQ(pango_font_description_get_family(loaded), "Tahoma");
  pango_font_description_free(loaded);
  g_object_unref(font);
  g_object_unref(context);
  pango_font_description_free(wanted);
}

TEST_F(cairo_text, measuring_adds_one_and_truncates_the_layout_size) {
  ui::renderer& r = canvas.painter();
  for (const float size : {9.0f, 12.0f, 15.5f}) {
    r.set_font("Tahoma", size, 0, 0);
    for (const char* text : {"Install", "Tidewater Kit Pack", "ij"}) {
      SCOPED_TRACE(std::string(text) + " at " + std::to_string(size));
      const ui::size_f exact = layout_size(text);
      const ui::size rounded = measure(text);
      EXPECT_EQ(rounded.width, static_cast<int>(exact.width + 1.0f));
      EXPECT_EQ(rounded.height, static_cast<int>(exact.height + 1.0f));
    }
  }
  // A 12-dip Tahoma line is 13 pixels high with hinted metrics.
  r.set_font("Tahoma", 12.0f, 0, 0);
  EXPECT_EQ(layout_size("Install").height, 13.0f);
}

TEST_F(cairo_text, trailing_spaces_count_in_the_width) {
  canvas.painter().set_font("Tahoma", 12.0f, 0, 0);
  EXPECT_GT(measure("Next  ").width, measure("Next").width + 4);
  EXPECT_GT(measure("  ").width, 1);
}

TEST_F(cairo_text, an_unbounded_layout_keeps_one_line_and_a_width_wraps_between_words_and_inside_long_words) {
  canvas.painter().set_font("Tahoma", 12.0f, 0, 0);
  const ui::size line = measure("x");
  const ui::size unbounded = measure("one two three four five six seven eight nine ten");
  EXPECT_EQ(unbounded.height, line.height);
  EXPECT_GT(unbounded.width, 150);
  const ui::size wrapped = measure("one two three four five six seven eight nine ten", {60, 0});
  EXPECT_GT(wrapped.height, 3 * (line.height - 1));
  EXPECT_LE(wrapped.width, 61);
  // A word wider than the width is broken inside.
  const ui::size long_word = measure("Installationsverzeichnis", {40, 0});
  EXPECT_GT(long_word.height, 2 * (line.height - 1));
  EXPECT_LE(long_word.width, 41);
}

TEST_F(cairo_text, fonts_differ_by_weight_style_and_size) {
  ui::renderer& r = canvas.painter();
  const std::string text = "Tidewater Kit Pack";
  r.set_font("Tahoma", 12.0f, 0, 0);
  const ui::size regular = measure(text);
  r.set_font("Tahoma", 12.0f, 2, 0);
  EXPECT_GT(measure(text).width, regular.width);  // tahomabd.ttf
  r.set_font("Tahoma", 24.0f, 0, 0);
  EXPECT_GT(measure(text).height, regular.height + 8);
}

TEST_F(cairo_text, without_a_font_text_falls_back_to_a_family_and_is_drawn) {
  // No set_font: the family is empty and the size 12.
  const auto box = drawn("Hello", {10, 10, 180, 80});
  ASSERT_TRUE(box.has_value());
  EXPECT_GE(box->left, 10);
  EXPECT_GE(box->top, 10);
  EXPECT_EQ(measure("Hello").height, 14);  // a 13-pixel line, as with Tahoma
}

TEST_F(cairo_text, an_unknown_alignment_centres_both_ways) {
  ui::renderer& r = canvas.painter();
  r.set_font("Tahoma", 12.0f, 0, 0);
  r.set_text_alignment(5, 7);
  const auto centred = drawn("Finish", {0, 0, 200, 100});
  ASSERT_TRUE(centred.has_value());
  EXPECT_NEAR((centred->left + centred->right) / 2.0, 100.0, 2.0);
  EXPECT_NEAR((centred->top + centred->bottom) / 2.0, 50.0, 3.0);
  r.set_text_alignment(1, 0);
  EXPECT_EQ(drawn("Finish", {0, 0, 200, 100}), centred);

  // Spaces at the end do not move centred or right-aligned text (they do
  // count when the text is measured).
  EXPECT_EQ(drawn("Finish    ", {0, 0, 200, 100}), centred);
  r.set_text_alignment(2, 0);
  EXPECT_EQ(drawn("Finish \t ", {0, 0, 200, 100}), drawn("Finish", {0, 0, 200, 100}));

  r.set_text_alignment(0, 1);  // leading, near
  const auto top_left = drawn("Finish", {20, 10, 160, 80});
  ASSERT_TRUE(top_left.has_value());
  EXPECT_LE(top_left->left, 22);
  EXPECT_LE(top_left->top, 14);
  r.set_text_alignment(2, 2);  // trailing, far
  const auto bottom_right = drawn("Finish", {20, 10, 160, 80});
  ASSERT_TRUE(bottom_right.has_value());
  EXPECT_GE(bottom_right->right, 178);
  EXPECT_GE(bottom_right->bottom, 86);
  EXPECT_LE(bottom_right->bottom, 90);
}

TEST_F(cairo_text, text_is_drawn_in_the_text_colour_inside_the_clip) {
  ui::renderer& r = canvas.painter();
  r.set_font("Tahoma", 20.0f, 2, 0);
  placed_widget narrow({0, 0, 30, 100});
  r.begin_widget(root.w, {0, 0, 200, 100});
  r.fill_color = {1.0f, 1.0f, 1.0f, 1.0f};
  r.fill_rectangle({0, 0, 200, 100});
  r.begin_widget(narrow.w, {0, 0, 200, 100});
  r.text_color = {1.0f, 0.0f, 0.0f, 1.0f};
  r.draw_text({0, 0, 200, 100}, "MMMMMMMM");
  r.end_widget();
  r.end_widget();
  const auto box = canvas.ink_box();
  ASSERT_TRUE(box.has_value());
  EXPECT_LE(box->right, 30);
  bool found_red = false;
  for (int x = 0; x < 30 && !found_red; ++x)
    for (int y = 0; y < 40 && !found_red; ++y) found_red = canvas.at(x, y) == 0xFF0000;
  EXPECT_TRUE(found_red);
}

}  // namespace

namespace {

// A folder of 324 characters without a space.
std::u16string long_folder() {
  std::u16string path = u"Z:\\";
  while (path.size() < 324) path += u"folder_name_without_spaces\\";
  path.resize(324);
  return path;
}

// The glyphs pango shapes on each line of the layout.
std::vector<int> glyphs_per_line(PangoLayout* layout) {
  std::vector<int> counts;
  for (GSList* line = pango_layout_get_lines_readonly(layout); line != nullptr; line = line->next) {
    int glyphs = 0;
    for (GSList* run = static_cast<PangoLayoutLine*>(line->data)->runs; run != nullptr; run = run->next) {
      glyphs += static_cast<PangoGlyphItem*>(run->data)->glyphs->num_glyphs;
    }
    counts.push_back(glyphs);
  }
  return counts;
}

}  // namespace

TEST(pango_wrapping, wrapping_anywhere_breaks_a_long_path_inside_the_width_and_adds_no_hyphen) {
  const ui::pango_text_context text;
  ui::text_style style;
  style.family = u"Tahoma";
  style.size = 10.0f;
  style.wrapping = ui::text_wrapping::anywhere;
  const std::u16string path = long_folder();
  const ui::cairo_handles::pango_layout layout = text.make_layout(path, style, 285.0f);
  const std::vector<int> lines = glyphs_per_line(layout.get());
  ASSERT_GT(lines.size(), 3u);
  int glyphs = 0;
  for (const int count : lines) glyphs += count;
  EXPECT_EQ(glyphs, 324);  // every character once, nothing added at a break
  for (int i = 0; i < pango_layout_get_line_count(layout.get()); ++i) {
    PangoRectangle logical{};
    pango_layout_line_get_extents(pango_layout_get_line_readonly(layout.get(), i), nullptr, &logical);
    EXPECT_LE(logical.width, 285 * PANGO_SCALE) << "line " << i;
  }
  // Every line but the last is full: the breaks fall inside the words.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_GT(lines[i], 40) << "line " << i;

  // The same box through the renderer: the drawn ink stays inside it.
  cairo_canvas canvas(400, 300);
  placed_widget root({0, 0, 400, 300});
  canvas.begin(root.w);
  canvas.painter().set_font("Tahoma", 10.0f, 0, 0);
  canvas.painter().text_color = {0.0f, 0.0f, 0.0f, 1.0f};
  canvas.painter().draw_text({10, 10, 285, 280}, hbsdk::filesystem::to_utf8(path), ui::text_wrapping::anywhere);
  canvas.end();
  const auto ink = canvas.ink_box();
  ASSERT_TRUE(ink);
  EXPECT_LE(ink->right, 10 + 285);
  EXPECT_GT(ink->bottom - ink->top, 40);
}

TEST_F(cairo_text, a_family_the_system_lacks_draws_in_one_it_has) {
  for (const char* family : {"tahoma", "verdana", "No Such Family 7Q", ""}) {
    SCOPED_TRACE(family);
    canvas.painter().set_font(family, 15.0f, 2, 0);
    const auto box = drawn("Tidewater Kit", {0, 0, 200, 40});
    ASSERT_TRUE(box);
    EXPECT_GT(box->right - box->left, 60);
  }
}
