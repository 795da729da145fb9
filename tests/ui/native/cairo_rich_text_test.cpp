// Rich text drawn by pango on an image surface: where bold, colour,
// underline and size runs put their ink, and how overlapping runs combine.
// Text is checked by the boxes of its ink, never pixel by pixel.
#include "cairo_canvas.h"

#include "hbsdk/ui/cairo/pango_text_context.h"
#include "hbsdk/ui/markup_parser.h"
#include "hbsdk/ui/rich_text.h"

#include <functional>
#include <string>

namespace {

using ink_test = std::function<bool(std::uint32_t)>;

int red_of(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
int green_of(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
int blue_of(std::uint32_t p) { return static_cast<int>(p & 0xFF); }

// Pixels clearly of one hue: that channel high, the others low.
bool reddish(std::uint32_t p) { return red_of(p) > 160 && green_of(p) < 90 && blue_of(p) < 90; }
bool bluish(std::uint32_t p) { return blue_of(p) > 160 && red_of(p) < 90 && green_of(p) < 90; }
bool greenish(std::uint32_t p) { return green_of(p) > 90 && red_of(p) < 60 && blue_of(p) < 60; }
bool any_ink(std::uint32_t p) { return p != cairo_canvas::white; }

class cairo_rich_text : public ::testing::Test {
protected:
  cairo_rich_text() : canvas(320, 80), root({0, 0, 320, 80}) {}

  // Draws the document at the top left (leading, near) on white.
  void draw(ui::rich_text& document, ui::color default_colour = {0, 0, 0, 1}) {
    canvas.begin(root.w);
    ui::renderer& r = canvas.painter();
    r.set_text_alignment(0, 1);
    r.rich_text_color = default_colour;
    r.draw_rich_text(document, {4, 4, 312, 72});
    canvas.end();
  }
  void draw_markup(const std::string& markup, ui::color default_colour = {0, 0, 0, 1}) {
    ui::parsed_markup parsed = ui::parse_markup(markup);
    ui::rich_text document(std::move(parsed.text), std::move(parsed.runs));
    draw(document, default_colour);
  }
  // The box of the pixels that pass the test.
  std::optional<ui::edge_rect> box(const ink_test& test) const {
    std::optional<ui::edge_rect> found;
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 320; ++x) {
        if (!test(canvas.at(x, y))) continue;
        found = found ? ui::edge_rect{std::min(found->left, x), std::min(found->top, y), std::max(found->right, x + 1),
                                      std::max(found->bottom, y + 1)}
                      : ui::edge_rect{x, y, x + 1, y + 1};
      }
    }
    return found;
  }
  static int width(const ui::edge_rect& r) { return r.right - r.left; }
  static int height(const ui::edge_rect& r) { return r.bottom - r.top; }

  cairo_canvas canvas;
  placed_widget root;
};

// fonts-wine's Tahoma Bold is a wider design with strokes as thin as the
// regular one's, so bold shows in the width of the ink, not in its weight.
TEST_F(cairo_rich_text, a_bold_run_is_wider_than_the_same_text_regular) {
  draw_markup("<font face=\"Tahoma\" size=\"14\">Tidewater Kit</font>");
  const auto regular = box(any_ink);
  draw_markup("<font face=\"Tahoma\" size=\"14\"><b>Tidewater Kit</b></font>");
  const auto bold = box(any_ink);
  ASSERT_TRUE(regular && bold);
  EXPECT_GT(width(*bold), width(*regular) + 4);
  EXPECT_NEAR(height(*bold), height(*regular), 1);

  // Only the range is bold: bolding the first word moves the second one right.
  draw_markup("<font face=\"Tahoma\" size=\"14\"><b>Tidewater</b> Kit</font>");
  const auto first_bold = box(any_ink);
  ASSERT_TRUE(first_bold);
  EXPECT_GT(width(*first_bold), width(*regular));
  EXPECT_LT(width(*first_bold), width(*bold));
}

TEST_F(cairo_rich_text, colour_runs_keep_their_colours_and_other_text_takes_the_default_colour) {
  draw_markup("<font face=\"Tahoma\" size=\"16\"><b><font color=\"#FF0000\">Red</font> "
              "<font color=\"#0000ff\">Blue</font> rest</b></font>",
              {0.0f, 0.6f, 0.0f, 1.0f});
  const auto red = box(reddish);
  const auto blue = box(bluish);
  const auto rest = box(greenish);
  ASSERT_TRUE(red && blue && rest);
  // In reading order, without overlap.
  EXPECT_LT(red->right, blue->left);
  EXPECT_LT(blue->right, rest->left);
  EXPECT_GE(red->left, 4);
  // Black never appears: no text fell back to the renderer's text colour.
  EXPECT_FALSE(box([](std::uint32_t p) { return red_of(p) < 40 && green_of(p) < 40 && blue_of(p) < 40; }));
}

TEST_F(cairo_rich_text, an_underline_run_draws_a_line_below_its_range_only) {
  draw_markup("<font face=\"Tahoma\" size=\"16\">under over</font>");
  const auto plain = box(any_ink);
  draw_markup("<font face=\"Tahoma\" size=\"16\"><u>under</u> over</font>");
  const auto underlined = box(any_ink);
  ASSERT_TRUE(plain && underlined);
  EXPECT_GT(underlined->bottom, plain->bottom);  // the words have no descenders
  // Below the letters, ink runs as one line under the first word alone.
  const int y = underlined->bottom - 1;
  int left = -1;
  int right = -1;
  for (int x = 0; x < 320; ++x) {
    if (!any_ink(canvas.at(x, y))) continue;
    if (left < 0) left = x;
    right = x + 1;
  }
  ASSERT_GE(left, 0);
  for (int x = left; x < right; ++x) EXPECT_TRUE(any_ink(canvas.at(x, y))) << "a gap at " << x;
  EXPECT_GT(right - left, width(*plain) / 3);
  EXPECT_LT(right, plain->left + width(*plain) * 2 / 3);
}

TEST_F(cairo_rich_text, a_size_run_makes_its_range_taller) {
  draw_markup("<font face=\"Tahoma\">HxH</font>");
  const auto base = box(any_ink);
  draw_markup("<font face=\"Tahoma\" size=\"14.5\">HxH</font>");
  const auto larger = box(any_ink);
  draw_markup("<font face=\"Tahoma\">H<font size=\"30\">x</font>H</font>");
  const auto middle_large = box(any_ink);
  ASSERT_TRUE(base && larger && middle_large);
  EXPECT_GE(height(*larger), height(*base) + 1);  // 14.5 against the default 12
  EXPECT_GT(width(*larger), width(*base));
  EXPECT_GE(height(*middle_large), height(*base) + 6);
}

TEST_F(cairo_rich_text, later_runs_override_earlier_ones_property_by_property) {
  // Size and colour over all, then a colour over the first word: it turns
  // blue and stays large.
  const std::u16string text = u"AAAA BBBB";
  const auto font = [](std::uint32_t start, std::uint32_t length, const char16_t* attributes) {
    return ui::rich_run{start, length, u"font", attributes};
  };
  ui::rich_text layered(text, {font(0, 9, u"face=\"Tahoma\" size=\"24\" color=\"#FF0000\""),
                               font(0, 4, u"color=\"#0000FF\"")});
  draw(layered);
  const auto blue = box(bluish);
  const auto red = box(reddish);
  ASSERT_TRUE(blue && red);
  EXPECT_LT(blue->right, red->left);
  EXPECT_GE(height(*blue), 15);  // capitals at 24, not at 12
  EXPECT_NEAR(height(*blue), height(*red), 1);

  // The same runs the other way round: the later colour covers everything.
  ui::rich_text reversed(text, {font(0, 4, u"color=\"#0000FF\""),
                                font(0, 9, u"face=\"Tahoma\" size=\"24\" color=\"#FF0000\"")});
  draw(reversed);
  EXPECT_FALSE(box(bluish));
  ASSERT_TRUE(box(reddish));
  EXPECT_EQ(box(reddish)->left, blue->left);  // the first word is red now
}

TEST_F(cairo_rich_text, runs_after_lone_and_paired_surrogates_land_on_their_own_characters) {
  // One U+FFFD per unpaired unit; a pair stays one 4-byte character.
  EXPECT_EQ(ui::pango_text(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(ui::pango_text(u"a\xDC00\xD800" u"b"), "a\xEF\xBF\xBD\xEF\xBF\xBD" "b");
  EXPECT_EQ(ui::pango_text(u"a\U0001F600b"), "a\xF0\x9F\x98\x80" "b");

  // "HH" then one odd unit then "II" in red: the red ink sits where it sits
  // when the odd unit is written as U+FFFD, and covers both letters.
  const auto red_box = [this](std::u16string text, std::uint32_t red_start) {
    ui::rich_text document(std::move(text), {{0, 20, u"font", u"face=\"Tahoma\" size=\"16\""},
                                             {red_start, 2, u"font", u"color=\"#FF0000\""}});
    draw(document);
    return box(reddish);
  };
  const auto replaced = red_box(u"HH\uFFFDII", 3);
  for (const std::u16string odd : {u"\xD800", u"\xDC00"}) {
    const auto lone = red_box(u"HH" + odd + u"II", 3);
    ASSERT_TRUE(replaced && lone);
    EXPECT_EQ(*lone, *replaced);
  }
  // A pair counts two units: the run after it starts two units later.
  const auto after_pair = red_box(u"HH\U0001F600II", 4);
  const auto black = box([](std::uint32_t p) { return red_of(p) < 60 && green_of(p) < 60 && blue_of(p) < 60; });
  ASSERT_TRUE(after_pair && black);
  EXPECT_GT(after_pair->left, black->left);
  EXPECT_EQ(width(*after_pair), width(*replaced));  // both letters, as after the replacement
}

}  // namespace
