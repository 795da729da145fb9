// Rich text laid out by DirectWrite and drawn by Direct2D, checked on the
// pixels of a bitmap: bold, colour, size and underline runs, two colour runs
// side by side, runs overriding earlier ones property by property, and runs
// that reach past the text. Fonts are substitutes, so text is compared by
// its ink (bounding boxes, coverage, colour channels), never pixel by pixel
// against a stored image.
#include "ui/win32/d2d_canvas.h"

#include "hbsdk/ui/markup_parser.h"
#include "hbsdk/ui/rich_text.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace hb_test;

namespace {

constexpr std::int32_t canvas_width = 320;
constexpr std::int32_t canvas_height = 140;

// A document drawn top-left in the whole canvas, text outside colour runs in blue.
std::unique_ptr<d2d_canvas> draw(const std::string& markup) {
  auto canvas = std::make_unique<d2d_canvas>(canvas_width, canvas_height);
  const ui::parsed_markup parsed = ui::parse_markup(markup);
  ui::rich_text document(parsed.text, parsed.runs);
  canvas->paint([&](ui::renderer& r) {
    r.set_text_alignment(0, 1);
    r.rich_text_color = blue_colour;
    r.draw_rich_text(document, {0, 0, canvas_width, canvas_height});
  });
  return canvas;
}

std::vector<std::uint32_t> pixels(d2d_canvas& canvas) { return canvas.surface().pixels(); }

// The bands of rows with ink, top to bottom (one per line of text).
std::vector<ui::edge_rect> lines(const d2d_canvas& canvas) {
  std::vector<ui::edge_rect> found;
  bool inside = false;
  for (std::int32_t y = 0; y < canvas_height; ++y) {
    const ui::edge_rect row = canvas.drawn_box({0, y, canvas_width, y + 1});
    const bool inked = row.right > row.left;
    if (inked && !inside) found.push_back({row.left, y, row.right, y + 1});
    if (inked) {
      ui::edge_rect& line = found.back();
      line = {std::min(line.left, row.left), line.top, std::max(line.right, row.right), y + 1};
    }
    inside = inked;
  }
  return found;
}

// The summed coverage (alpha) of the ink in an area.
std::uint64_t ink(const d2d_canvas& canvas, const ui::edge_rect& area) {
  std::uint64_t sum = 0;
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) sum += d2d_canvas::alpha(canvas.at(x, y));
  }
  return sum;
}

// The colours the ink of an area is drawn in, as a mask of the opaque
// colour channels present (red 4, green 2, blue 1).
int channels(const d2d_canvas& canvas, const ui::edge_rect& area) {
  int mask = 0;
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) {
      const std::uint32_t pixel = canvas.at(x, y);
      if ((pixel >> 16 & 0xFF) != 0) mask |= 4;
      if ((pixel >> 8 & 0xFF) != 0) mask |= 2;
      if ((pixel & 0xFF) != 0) mask |= 1;
    }
  }
  return mask;
}

constexpr int red_ink = 4;
constexpr int green_ink = 2;
constexpr int blue_ink = 1;

}  // namespace

TEST(d2d_rich_text, a_bold_range_is_heavier_and_wider_than_the_plain_text_and_ends_with_its_range) {
  const auto plain = draw("<font face=\"Tahoma\">Weight and width</font>");
  const auto first_word = draw("<font face=\"Tahoma\"><b>Weight</b> and width</font>");
  const auto all = draw("<font face=\"Tahoma\"><b>Weight and width</b></font>");
  const ui::edge_rect whole{0, 0, canvas_width, canvas_height};
  const ui::edge_rect plain_box = plain->drawn_box(whole);
  const ui::edge_rect first_box = first_word->drawn_box(whole);
  const ui::edge_rect all_box = all->drawn_box(whole);
  ASSERT_GT(plain_box.right, 40);
  EXPECT_GT(first_box.right, plain_box.right);
  EXPECT_GT(all_box.right, first_box.right);
  EXPECT_GT(ink(*first_word, whole), ink(*plain, whole));
  EXPECT_GT(ink(*all, whole), ink(*first_word, whole));
}

TEST(d2d_rich_text, colour_runs_keep_their_colours_and_the_rest_is_drawn_in_the_default_colour) {
  const auto canvas = draw(
      "<font size=\"20\" color=\"#FF0000\">HHHH</font>\n"
      "<font size=\"20\">HHHH</font>\n"
      "<font size=\"20\" color=\"#00ff00\">HHHH</font>");
  const std::vector<ui::edge_rect> found = lines(*canvas);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(channels(*canvas, found[0]), red_ink);
  EXPECT_EQ(channels(*canvas, found[1]), blue_ink);
  EXPECT_EQ(channels(*canvas, found[2]), green_ink);
}

TEST(d2d_rich_text, a_size_run_is_taller_over_its_range_only) {
  const auto canvas = draw("<font size=\"36\">HH</font>\nHH");
  const std::vector<ui::edge_rect> found = lines(*canvas);
  ASSERT_EQ(found.size(), 2u);
  const std::int32_t large = found[0].bottom - found[0].top;
  const std::int32_t normal = found[1].bottom - found[1].top;
  EXPECT_GT(normal, 4);
  EXPECT_NEAR(static_cast<double>(large) / normal, 3.0, 0.6);
}

TEST(d2d_rich_text, an_underline_is_drawn_below_the_text_across_its_range) {
  const auto plain = draw("<font size=\"20\">HHHH</font>");
  const auto underlined = draw("<font size=\"20\"><u>HHHH</u></font>");
  const ui::edge_rect whole{0, 0, canvas_width, canvas_height};
  const ui::edge_rect text = plain->drawn_box(whole);
  const ui::edge_rect with_line = underlined->drawn_box(whole);
  ASSERT_GT(text.bottom, text.top);
  EXPECT_GT(with_line.bottom, text.bottom);
  // Below the letters one row holds ink across nearly their whole width.
  bool solid_row = false;
  for (std::int32_t y = text.bottom; y < with_line.bottom; ++y) {
    const ui::edge_rect row = underlined->drawn_box({0, y, canvas_width, y + 1});
    solid_row = solid_row || (row.right - row.left >= text.right - text.left - 2 &&
                              ink(*underlined, row) >= 200u * static_cast<std::uint64_t>(row.right - row.left));
  }
  EXPECT_TRUE(solid_row);
}

TEST(d2d_rich_text, a_later_run_overrides_an_earlier_one_property_by_property) {
  // The second run changes the colour only: the size of the first stays.
  const auto both = draw("<font size=\"36\" color=\"#FF0000\"><font color=\"#00FF00\">HH</font></font>\nHH");
  const auto first_only = draw("<font size=\"36\" color=\"#FF0000\">HH</font>\nHH");
  const std::vector<ui::edge_rect> found = lines(*both);
  const std::vector<ui::edge_rect> reference = lines(*first_only);
  ASSERT_EQ(found.size(), 2u);
  ASSERT_EQ(reference.size(), 2u);
  EXPECT_EQ(channels(*both, found[0]), green_ink);
  EXPECT_EQ(channels(*first_only, reference[0]), red_ink);
  EXPECT_EQ(found[0], reference[0]);
  EXPECT_EQ(channels(*both, found[1]), blue_ink);
}

TEST(d2d_rich_text, runs_reaching_past_the_text_are_cut_at_its_end) {
  const auto cut = draw("Hello");
  std::vector<std::uint32_t> expected;
  {
    d2d_canvas reference(canvas_width, canvas_height);
    ui::rich_text document(u"Hello", {{3, 2, u"b", u""}});
    reference.paint([&](ui::renderer& r) {
      r.set_text_alignment(0, 1);
      r.rich_text_color = blue_colour;
      r.draw_rich_text(document, {0, 0, canvas_width, canvas_height});
    });
    expected = pixels(reference);
  }
  d2d_canvas canvas(canvas_width, canvas_height);
  ui::rich_text past(u"Hello", {{3, 100, u"b", u""}, {9, 4, u"u", u""}, {0, 0xFFFFFFFFu, u"font", u"size=\"0\""}});
  canvas.paint([&](ui::renderer& r) {
    r.set_text_alignment(0, 1);
    r.rich_text_color = blue_colour;
    r.draw_rich_text(past, {0, 0, canvas_width, canvas_height});
  });
  EXPECT_EQ(pixels(canvas), expected);
  EXPECT_NE(pixels(*cut), expected);  // the bold part shows
}

TEST(d2d_rich_text, an_unpaired_surrogate_draws_as_one_replacement_character_and_runs_after_it_stay_put) {
  const auto draw_document = [](std::u16string text) {
    d2d_canvas canvas(canvas_width, canvas_height);
    ui::rich_text document(std::move(text), {{0, 20, u"font", u"size=\"20\""}, {3, 2, u"font", u"color=\"#FF0000\""}});
    canvas.paint([&](ui::renderer& r) {
      r.set_text_alignment(0, 1);
      r.rich_text_color = blue_colour;
      r.draw_rich_text(document, {0, 0, canvas_width, canvas_height});
    });
    return pixels(canvas);
  };
  const std::vector<std::uint32_t> replaced = draw_document(u"HH\uFFFDII");
  EXPECT_EQ(draw_document(u"HH\xD800II"), replaced);
  EXPECT_EQ(draw_document(u"HH\xDC00II"), replaced);
}
