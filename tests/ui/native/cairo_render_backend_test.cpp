// Pixels drawn by the cairo backend through the renderer, on an image
// surface: the pixel rules the Direct2D build follows as well.
#include "cairo_canvas.h"

#include <string>

namespace {

constexpr std::uint32_t red = 0xFF0000;

class cairo_pixels : public ::testing::Test {
protected:
  cairo_pixels() : canvas(120, 90), root({0, 0, 120, 90}) {}

  // Pixels from `from` to `to` (inclusive) along a row or a column.
  std::string row(int y, int from, int to) const {
    std::string marks;
    for (int x = from; x <= to; ++x) marks += canvas.at(x, y) == cairo_canvas::white ? '.' : '#';
    return marks;
  }
  std::string column(int x, int from, int to) const {
    std::string marks;
    for (int y = from; y <= to; ++y) marks += canvas.at(x, y) == cairo_canvas::white ? '.' : '#';
    return marks;
  }

  cairo_canvas canvas;
  placed_widget root;
};

TEST_F(cairo_pixels, a_width_1_outline_covers_exactly_the_outer_pixels) {
  canvas.begin(root.w);
  ui::renderer& r = canvas.painter();
  r.line_color = {0.0f, 0.0f, 0.0f, 1.0f};
  r.line_width = 1.0f;
  r.draw_rectangle({0, 0, 10, 10});
  r.line_width = 2.0f;
  r.draw_rectangle({20, 0, 10, 10});
  canvas.end();

  EXPECT_EQ(row(0, 0, 10), "##########.");
  EXPECT_EQ(row(1, 0, 10), "#........#.");
  EXPECT_EQ(row(9, 0, 10), "##########.");
  EXPECT_EQ(column(0, 0, 10), "##########.");
  EXPECT_EQ(column(9, 0, 10), "##########.");
  EXPECT_EQ(row(10, 0, 10), "...........");
  // Width 2: two rows and columns, still inside the rectangle.
  EXPECT_EQ(row(0, 19, 30), ".##########.");
  EXPECT_EQ(row(1, 19, 30), ".##########.");
  EXPECT_EQ(row(2, 19, 30), ".##......##.");
  EXPECT_EQ(column(20, 0, 10), "##########.");
}

TEST_F(cairo_pixels, lines_of_width_1_shift_half_a_pixel_and_width_2_does_not) {
  canvas.begin(root.w);
  ui::renderer& r = canvas.painter();
  r.line_color = {0.0f, 0.0f, 0.0f, 1.0f};
  r.line_width = 1.0f;
  r.draw_line({0, 20}, {10, 20});
  r.draw_line({40, 0}, {40, 10});
  r.line_width = 2.0f;
  r.draw_line({0, 30}, {10, 30});
  r.draw_line({50, 0}, {50, 10});
  canvas.end();

  // Width 1 fills one row (y = 20) and the line ends are butt: x 0..9.
  EXPECT_EQ(column(5, 18, 22), "..#..");
  EXPECT_EQ(row(20, 0, 11), "##########..");
  EXPECT_EQ(row(0, 38, 42), "..#..");
  // Width 2 at integer y fills the rows y - 1 and y.
  EXPECT_EQ(column(5, 27, 32), "..##..");
  EXPECT_EQ(row(0, 48, 52), ".##..");
}

TEST_F(cairo_pixels, dotted_strokes_put_a_dot_on_every_other_pixel) {
  canvas.begin(root.w);
  ui::renderer& r = canvas.painter();
  r.line_color = {0.0f, 0.0f, 0.0f, 1.0f};
  r.line_width = 1.0f;
  r.dotted = 1;
  r.draw_line({0, 40}, {12, 40});
  r.draw_rectangle({0, 50, 12, 8});
  canvas.end();

  EXPECT_EQ(row(40, 0, 13), "#.#.#.#.#.#...");
  EXPECT_EQ(row(39, 0, 11), "............");
  // Around the outline the dots keep alternating past the corners: a pixel
  // of the ring is drawn when its x + y is even.
  EXPECT_EQ(row(50, 0, 11), "#.#.#.#.#.#.");
  EXPECT_EQ(column(11, 50, 57), ".#.#.#.#");
  EXPECT_EQ(row(57, 0, 11), ".#.#.#.#.#.#");
  EXPECT_EQ(column(0, 50, 57), "#.#.#.#.");
}

TEST_F(cairo_pixels, nested_scopes_draw_one_frame_and_a_child_is_clipped_only_by_itself_and_the_update) {
  placed_widget parent({10, 10, 20, 20});
  placed_widget child({30, 30, 20, 10});  // outside its parent: (40, 40)-(60, 50) in the window
  ui::renderer& r = canvas.painter();
  const ui::edge_rect update{0, 0, 55, 90};
  r.begin_widget(root.w, update);
  r.begin_widget(parent.w, update);
  r.begin_widget(child.w, update);
  r.fill_color = {1.0f, 0.0f, 0.0f, 1.0f};
  r.fill_rectangle({-5, -5, 100, 100});  // more than the child's own bounds
  r.end_widget();
  r.end_widget();
  EXPECT_EQ(canvas.target().frames(), 0);
  r.end_widget();

  EXPECT_EQ(canvas.target().frames(), 1);
  EXPECT_EQ(canvas.at(40, 40), red);
  EXPECT_EQ(canvas.at(54, 49), red);
  EXPECT_EQ(canvas.at(55, 45), cairo_canvas::black);  // beyond the update rectangle (never painted)
  EXPECT_EQ(canvas.at(39, 45), cairo_canvas::black);  // beyond the child's left edge
  EXPECT_EQ(canvas.at(45, 50), cairo_canvas::black);  // below the child
  EXPECT_EQ(canvas.ink_box(cairo_canvas::black), (ui::edge_rect{40, 40, 55, 50}));
  // What the frame may have changed: the union of the scopes' clips.
  EXPECT_EQ(canvas.target().last_changed(), (ui::edge_rect{0, 0, 55, 90}));
}

TEST_F(cairo_pixels, a_new_renderer_fills_black_and_draws_lines_and_text_white) {
  ui::renderer& r = canvas.painter();
  r.begin_widget(root.w, {0, 0, 120, 90});
  canvas.backend().fill_rect({0, 0, 60, 90}, {0.5f, 0.5f, 0.5f, 1.0f});  // grey, leaving the renderer's state alone
  r.fill_rectangle({0, 0, 10, 10});
  r.draw_line({0, 20}, {10, 20});
  r.draw_text({0, 30, 60, 30}, "MMM");
  r.end_widget();
  EXPECT_EQ(canvas.at(5, 5), cairo_canvas::black);
  EXPECT_EQ(canvas.at(5, 20), cairo_canvas::white);
  bool white_text = false;
  for (int y = 30; y < 60 && !white_text; ++y)
    for (int x = 0; x < 60 && !white_text; ++x) white_text = canvas.at(x, y) == cairo_canvas::white;
  EXPECT_TRUE(white_text);
}

TEST_F(cairo_pixels, the_shadow_reaches_seven_tenths_of_its_size_beyond_the_box) {
  placed_widget area({0, 0, 120, 90});
  canvas.begin(area.w);
  // Size 10 around (10, 10, 100, 50): the shadow covers (3, 3)-(117, 67).
  canvas.painter().draw_shadow({10, 10, 100, 50}, {0, 0}, 10);
  canvas.end();

  EXPECT_EQ(canvas.ink_box(), (ui::edge_rect{3, 3, 117, 67}));
  // Opaque inside the bands, fading outwards over the 10 pixels of a band.
  EXPECT_EQ(canvas.at(60, 35), cairo_canvas::black);
  EXPECT_EQ(canvas.at(13, 35), cairo_canvas::black);
  const auto grey = [&](int x, int y) { return static_cast<int>(canvas.at(x, y) & 0xFF); };
  EXPECT_LT(grey(12, 35), grey(8, 35));
  EXPECT_LT(grey(8, 35), grey(4, 35));
  EXPECT_EQ(grey(8, 35), grey(111, 35));  // the bands are mirror images
  EXPECT_EQ(grey(60, 8), grey(60, 61));
  // Corners fade radially: the diagonal fades faster than the edge.
  EXPECT_GT(grey(6, 6), grey(6, 13));
}

TEST_F(cairo_pixels, a_shadow_follows_its_offset) {
  canvas.begin(root.w);
  canvas.painter().draw_shadow({20, 20, 40, 30}, {5, 3}, 10);
  canvas.end();
  EXPECT_EQ(canvas.ink_box(), (ui::edge_rect{18, 16, 72, 60}));
}

}  // namespace
