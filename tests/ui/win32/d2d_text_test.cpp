// Text through DirectWrite under the portable renderer: measuring, the font
// applied over the whole text, alignment in the box, and the fallback when no
// family is set. The prefix's fonts are substitutes, so text is compared by
// its bounding box and by relations between sizes, never by exact pixels.
#include "ui/win32/d2d_canvas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace hb_test;

namespace {

// Where text lands in a 200 x 60 box at (0, 0) with the given alignment.
ui::edge_rect aligned_box(std::int32_t horizontal, std::int32_t vertical) {
  d2d_canvas canvas(200, 60);
  canvas.paint([&](ui::renderer& r) {
    r.set_font("Tahoma", 12.0f, 0, 0);
    r.set_text_alignment(horizontal, vertical);
    r.text_color = red_colour;
    r.draw_text({0, 0, 200, 60}, "Hi there");
  });
  return canvas.drawn_box({0, 0, 200, 60});
}

}  // namespace

TEST(d2d_text, measure_adds_one_to_the_layout_and_truncates) {
  d2d_canvas canvas(10, 10);
  ui::renderer& r = canvas.renderer();
  r.set_font("Tahoma", 12.0f, 0, 0);
  for (const char* text : {"Hello", "Install", "a b c", "W"}) {
    SCOPED_TRACE(text);
    const ui::size_f layout = canvas.backend().measure_text(ui::drawable_text(text), r.current_text_style(), {});
    ASSERT_GT(layout.width, 0.0f);
    const ui::size measured = r.measure_text(text, {0, 0});
    EXPECT_EQ(measured.width, static_cast<std::int32_t>(layout.width + 1.0f));
    EXPECT_EQ(measured.height, static_cast<std::int32_t>(layout.height + 1.0f));
  }
}

TEST(d2d_text, trailing_spaces_count_in_the_width) {
  d2d_canvas canvas(10, 10);
  ui::renderer& r = canvas.renderer();
  r.set_font("Tahoma", 12.0f, 0, 0);
  EXPECT_GT(r.measure_text("ab   ", {0, 0}).width, r.measure_text("ab", {0, 0}).width + 5);
}

TEST(d2d_text, a_maximum_of_zero_lays_out_without_wrapping) {
  d2d_canvas canvas(10, 10);
  ui::renderer& r = canvas.renderer();
  r.set_font("Tahoma", 12.0f, 0, 0);
  const std::string text = "several words that make one long line of text";
  const ui::size one_line = r.measure_text("several", {0, 0});
  const ui::size unbounded = r.measure_text(text, {0, 0});
  const ui::size wrapped = r.measure_text(text, {60, 0});
  EXPECT_EQ(unbounded.height, one_line.height);
  EXPECT_GT(unbounded.width, 200);
  EXPECT_GE(wrapped.height, 3 * (one_line.height - 1));
  EXPECT_LT(wrapped.width, 80);
}

TEST(d2d_text, the_font_applies_over_the_whole_text) {
  d2d_canvas canvas(10, 10);
  ui::renderer& r = canvas.renderer();
  r.set_font("Tahoma", 12.0f, 0, 0);
  const ui::size normal = r.measure_text("Weight and size", {0, 0});
  r.set_font("Tahoma", 12.0f, 2, 0);
  const ui::size bold = r.measure_text("Weight and size", {0, 0});
  r.set_font("Tahoma", 24.0f, 0, 0);
  const ui::size large = r.measure_text("Weight and size", {0, 0});
  EXPECT_GT(bold.width, normal.width);
  EXPECT_NEAR(large.width, 2 * normal.width, 3);
  EXPECT_NEAR(large.height, 2 * normal.height, 3);
}

TEST(d2d_text, without_a_font_the_family_falls_back_and_text_is_drawn) {
  d2d_canvas canvas(120, 30);
  ui::renderer& r = canvas.renderer();
  ASSERT_TRUE(r.current_text_style().family.empty());
  const ui::size measured = r.measure_text("Fallback", {0, 0});
  EXPECT_GT(measured.width, 20);
  EXPECT_GT(measured.height, 8);
  canvas.paint([](ui::renderer& painter) {
    painter.text_color = red_colour;
    painter.draw_text({0, 0, 120, 30}, "Fallback");
  });
  const ui::edge_rect box = canvas.drawn_box({0, 0, 120, 30});
  EXPECT_GT(box.right - box.left, 20);
}

TEST(d2d_text, text_is_drawn_inside_its_box_in_the_text_colour) {
  d2d_canvas canvas(120, 40);
  canvas.paint([](ui::renderer& r) {
    r.set_font("Tahoma", 12.0f, 0, 0);
    r.set_text_alignment(0, 1);
    r.text_color = green_colour;
    r.draw_text({10, 10, 100, 20}, "Green text");
  });
  const ui::edge_rect box = canvas.drawn_box({0, 0, 120, 40});
  EXPECT_GE(box.left, 10);
  EXPECT_GE(box.top, 10);
  EXPECT_LE(box.right, 110);
  EXPECT_LE(box.bottom, 30);
  bool saw_full_green = false;
  for (std::int32_t y = box.top; y < box.bottom; ++y) {
    for (std::int32_t x = box.left; x < box.right; ++x) {
      saw_full_green = saw_full_green || canvas.at(x, y) == green;
      // Greyscale anti-aliasing: every text pixel is green at some coverage.
      const std::uint32_t pixel = canvas.at(x, y);
      EXPECT_EQ(pixel & 0x00FF00FFu, 0u) << x << "," << y;
    }
  }
  EXPECT_TRUE(saw_full_green);
}

TEST(d2d_text, out_of_range_alignments_centre_both_ways) {
  const ui::edge_rect odd = aligned_box(5, 7);
  EXPECT_EQ(odd, aligned_box(1, 0));
  ASSERT_GT(odd.right, odd.left);
  EXPECT_NEAR((odd.left + odd.right) / 2.0, 100.0, 2.0);
  EXPECT_NEAR((odd.top + odd.bottom) / 2.0, 30.0, 3.0);
}

TEST(d2d_text, leading_near_and_trailing_far_put_text_in_the_corners) {
  const ui::edge_rect top_left = aligned_box(0, 1);
  const ui::edge_rect bottom_right = aligned_box(2, 2);
  EXPECT_LE(top_left.left, 2);
  EXPECT_LE(top_left.top, 4);
  EXPECT_GE(bottom_right.right, 197);
  EXPECT_GE(bottom_right.bottom, 55);
  EXPECT_NEAR(top_left.right - top_left.left, bottom_right.right - bottom_right.left, 1);
}

TEST(d2d_text, wrapping_anywhere_keeps_a_long_path_inside_its_box) {
  // A folder of 324 characters without a space: between words it breaks
  // after "Z:" at most and runs past the box; anywhere, it fills the box.
  std::string path = "Z:\\";
  while (path.size() < 324) path += "folder_name_without_spaces\\";
  path.resize(324);
  const auto draw = [&](ui::text_wrapping wrapping) {
    auto canvas = std::make_unique<d2d_canvas>(400, 300);
    canvas->paint([&](ui::renderer& r) {
      r.set_font("Tahoma", 10.0f, 0, 0);
      r.set_text_alignment(0, 1);
      r.text_color = red_colour;
      r.draw_text({10, 10, 285, 280}, path, wrapping);
    });
    return canvas;
  };
  const auto words = draw(ui::text_wrapping::words);
  EXPECT_GT(words->drawn_box({0, 0, 400, 300}).right, 10 + 285);  // what the anywhere mode mends

  const auto anywhere = draw(ui::text_wrapping::anywhere);
  const ui::edge_rect box = anywhere->drawn_box({0, 0, 400, 300});
  EXPECT_LE(box.right, 10 + 285);
  EXPECT_GT(box.right, 10 + 285 - 20);  // lines are full, not broken early
  EXPECT_GT(box.bottom - box.top, 40);  // several lines
  // The measure agrees: as tall as the drawing, no wider than the box.
  d2d_canvas measuring(10, 10);
  measuring.renderer().set_font("Tahoma", 10.0f, 0, 0);
  const ui::size measured = measuring.renderer().measure_text(path, {285, 0}, ui::text_wrapping::anywhere);
  EXPECT_LE(measured.width, 285 + 1);
  EXPECT_GE(measured.height, box.bottom - box.top);
}
