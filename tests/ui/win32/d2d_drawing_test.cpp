// The Direct2D backend under the portable renderer, checked pixel by pixel
// on a bitmap target: outlines and lines, paint scopes, and drop shadows.
#include "ui/win32/d2d_canvas.h"
#include "ui/win32/wine_detection.h"

#include "hbsdk/ui/shadow_gradient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace hb_test;
using strings = std::vector<std::string>;

TEST(d2d_drawing, a_width_1_outline_covers_exactly_the_outer_pixels) {
  d2d_canvas canvas(12, 12);
  canvas.paint([](ui::renderer& r) {
    r.line_color = red_colour;
    r.draw_rectangle({0, 0, 10, 10});
  });
  EXPECT_EQ(canvas.rows({0, 0, 12, 12}, red), (strings{
                                                   "##########..",
                                                   "#........#..",
                                                   "#........#..",
                                                   "#........#..",
                                                   "#........#..",
                                                   "#........#..",
                                                   "#........#..",
                                                   "#........#..",
                                                   "#........#..",
                                                   "##########..",
                                                   "............",
                                                   "............",
                                               }));
}

TEST(d2d_drawing, a_width_2_outline_stays_inside_the_rectangle) {
  d2d_canvas canvas(8, 8);
  canvas.paint([](ui::renderer& r) {
    r.line_color = red_colour;
    r.line_width = 2.0f;
    r.draw_rectangle({1, 1, 6, 6});
  });
  EXPECT_EQ(canvas.rows({0, 0, 8, 8}, red), (strings{
                                                 "........",
                                                 ".######.",
                                                 ".######.",
                                                 ".##..##.",
                                                 ".##..##.",
                                                 ".######.",
                                                 ".######.",
                                                 "........",
                                             }));
}

TEST(d2d_drawing, lines_of_width_1_shift_onto_a_row_and_width_2_straddles_the_point) {
  d2d_canvas canvas(10, 8);
  canvas.paint([](ui::renderer& r) {
    r.line_color = red_colour;
    r.draw_line({1, 2}, {9, 2});
    r.line_width = 2.0f;
    r.draw_line({1, 6}, {9, 6});
  });
  EXPECT_EQ(canvas.rows({0, 0, 10, 8}, red), (strings{
                                                  "..........",
                                                  "..........",
                                                  ".########.",
                                                  "..........",
                                                  "..........",
                                                  ".########.",
                                                  ".########.",
                                                  "..........",
                                              }));
}

TEST(d2d_drawing, a_dotted_outline_alternates_pixels) {
  d2d_canvas canvas(12, 4);
  canvas.paint([](ui::renderer& r) {
    r.line_color = red_colour;
    r.dotted = 1;
    r.draw_line({0, 1}, {12, 1});
  });
  const std::string row = canvas.rows({0, 1, 12, 2}, red).front();
  if (running_under_wine()) {
    // Wine draws dashed strokes solid: only the line itself can be checked.
    EXPECT_EQ(row, "############");
  } else {
    EXPECT_EQ(row, "#.#.#.#.#.#.");
  }
}

TEST(d2d_drawing, fills_cover_the_rectangle_translated_to_the_scope) {
  d2d_canvas canvas(20, 20);
  const auto placed = widget_at({5, 6, 10, 10});
  canvas.paint(*placed, {0, 0, 20, 20}, [](ui::renderer& r) {
    r.fill_color = red_colour;
    r.fill_rectangle({1, 1, 3, 2});
  });
  EXPECT_EQ(canvas.drawn_box({0, 0, 20, 20}), (ui::edge_rect{6, 7, 9, 9}));
}

TEST(d2d_drawing, nested_scopes_make_one_frame_and_the_parent_draws_after_its_child) {
  d2d_canvas canvas(30, 30);
  const auto parent = widget_at({0, 0, 30, 30});
  const auto child = widget_at({10, 10, 10, 10});
  ui::renderer& r = canvas.renderer();
  r.begin_widget(*parent, {0, 0, 30, 30});
  r.begin_widget(*child, {0, 0, 30, 30});
  r.fill_color = green_colour;
  r.fill_rectangle({0, 0, 10, 10});
  r.end_widget();
  // Still in the parent's scope and the same frame: this drawing lands too.
  r.fill_color = red_colour;
  r.fill_rectangle({0, 0, 5, 5});
  r.end_widget();

  EXPECT_EQ(canvas.surface().frames(), 1);
  EXPECT_EQ(canvas.surface().last_end_draw(), S_OK);
  EXPECT_EQ(canvas.at(15, 15), green);
  EXPECT_EQ(canvas.at(2, 2), red);
  EXPECT_EQ(r.open_scopes(), 0u);
}

TEST(d2d_drawing, a_child_is_clipped_to_its_own_bounds_and_the_update_rectangle_not_to_its_parent) {
  d2d_canvas canvas(60, 30);
  const auto parent = widget_at({10, 10, 10, 10});
  const auto child = widget_at({20, -5, 20, 20});  // at (30, 5)-(50, 25), wholly outside its parent
  const ui::edge_rect update{0, 0, 45, 30};
  ui::renderer& r = canvas.renderer();
  r.begin_widget(*parent, update);
  r.fill_color = blue_colour;
  r.fill_rectangle({-100, -100, 300, 300});
  r.begin_widget(*child, update);
  r.fill_color = red_colour;
  r.fill_rectangle({-100, -100, 300, 300});
  r.end_widget();
  r.end_widget();

  EXPECT_EQ(canvas.drawn_box({0, 0, 25, 30}), (ui::edge_rect{10, 10, 20, 20}));
  EXPECT_EQ(canvas.at(10, 10), blue);
  EXPECT_EQ(canvas.drawn_box({25, 0, 60, 30}), (ui::edge_rect{30, 5, 45, 25}));
  EXPECT_EQ(canvas.at(30, 5), red);
  EXPECT_EQ(canvas.at(44, 24), red);
}

TEST(d2d_drawing, a_scope_outside_the_update_rectangle_draws_nothing) {
  d2d_canvas canvas(40, 20);
  const auto touching = widget_at({20, 0, 10, 10});  // its left edge meets the update rectangle's right edge
  canvas.paint(*touching, {0, 0, 20, 20}, [](ui::renderer& r) {
    r.fill_color = red_colour;
    r.fill_rectangle({-20, 0, 40, 10});
  });
  EXPECT_EQ(canvas.drawn_box({0, 0, 40, 20}), (ui::edge_rect{}));
}

TEST(d2d_drawing, a_shadow_reaches_seven_tenths_of_its_size_beyond_the_box) {
  // Size 10 around (0, 0, 100, 50) reaches (-7, -7)-(107, 57); here the box
  // is at (20, 20), so that the whole shadow is on the canvas.
  d2d_canvas canvas(150, 100);
  canvas.paint([](ui::renderer& r) { r.draw_shadow({20, 20, 100, 50}, {0, 0}, 10); });

  const ui::edge_rect box = canvas.drawn_box({0, 0, 150, 100});
  EXPECT_GE(box.left, 13);
  EXPECT_GE(box.top, 13);
  EXPECT_LE(box.right, 127);
  EXPECT_LE(box.bottom, 77);
  EXPECT_LE(box.left, 15);  // the faintest part may round to nothing
  EXPECT_GE(box.right, 125);
  // The soft band is 10 wide: opaque from 3 inside the box, nearly clear at its outer edge.
  EXPECT_EQ(canvas.at(23, 45), black);
  EXPECT_EQ(canvas.at(70, 23), black);
  EXPECT_EQ(canvas.at(116, 45), black);
  EXPECT_EQ(canvas.at(70, 66), black);
  EXPECT_GT(d2d_canvas::alpha(canvas.at(22, 45)), 200u);
  EXPECT_LT(d2d_canvas::alpha(canvas.at(14, 45)), 16u);
  EXPECT_GT(d2d_canvas::alpha(canvas.at(18, 45)), 0u);
  // The corners fade radially: along the diagonal they are lighter than the bands at the same depth.
  EXPECT_LT(d2d_canvas::alpha(canvas.at(18, 18)), d2d_canvas::alpha(canvas.at(18, 45)));
}

namespace {

// The alpha the 21 stops give at a position of a band, interpolated linearly
// and clamped past the last stop.
double gradient_alpha(double position) {
  const auto stops = ui::shadow_gradient_stops();
  if (position <= stops.front().position) return stops.front().alpha;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (position <= stops[i].position) {
      const double t = (position - stops[i - 1].position) / (stops[i].position - stops[i - 1].position);
      return stops[i - 1].alpha + t * (stops[i].alpha - stops[i - 1].alpha);
    }
  }
  return stops.back().alpha;
}

}  // namespace

TEST(d2d_drawing, a_shadow_band_follows_the_gradient_stops_pixel_by_pixel) {
  // Size 20 around (20, 20, 100, 40): the top band runs from its opaque edge
  // at y = 26 out to y = 6.
  d2d_canvas canvas(140, 80);
  canvas.paint([](ui::renderer& r) { r.draw_shadow({20, 20, 100, 40}, {0, 0}, 20); });
  for (std::int32_t y = 6; y < 26; ++y) {
    const double position = (26.0 - (y + 0.5)) / 20.0;  // of the pixel's centre
    SCOPED_TRACE("row " + std::to_string(y));
    EXPECT_NEAR(static_cast<double>(d2d_canvas::alpha(canvas.at(70, y))), gradient_alpha(position) * 255.0, 6.0);
  }
  EXPECT_EQ(canvas.at(70, 5), clear);
  EXPECT_EQ(canvas.at(70, 26), black);
}
