#include "widget_fixture.h"

#include "hbsdk/ui/testing/headless_window_backend.h"
#include "hbsdk/ui/widgets/generic_button.h"
#include "hbsdk/ui/widgets/generic_panel.h"
#include "hbsdk/ui/widgets/scroll_bar.h"

#include <limits>
#include <memory>

using ui::event_type;

namespace {

// Content 180 x 500 in a 200 x 300 viewport at the window's origin, scrolled
// by a vertical bar 16 x 200 with buttons at (300, 50): range 200, thumb
// length max(16, 168 - 200) = 16, ratio (168 - 16) / 200 = 0.76.
class scroll_bar_test : public widget_test {
protected:
  scroll_bar_test() {
    viewport.create(win.root, {0, 0, 200, 300});
    content.create(viewport, {0, 0, 180, 500});
    bar.create(win.root, {300, 50, 16, 200});
    bar.set_target(&content);
  }

  // Input at a point in the bar's own coordinates.
  void on_bar(int x, int y, event_type code, std::uint64_t value = 0) { input_at(300 + x, 50 + y, code, value); }
  void wheel_at(int x, int y, std::int32_t delta) { input_at(x, y, event_type::mouse_wheel, ui::wheel_value(delta)); }
  std::int32_t offset() const { return content.y(); }
  bool natively_captured() { return platform.backend_of(win).captured(); }

  ui::GenericPanel viewport;
  ui::GenericPanel content;
  ui::ScrollBar bar;
};

}  // namespace

TEST_F(scroll_bar_test, the_worked_example) {
  EXPECT_EQ(bar.first_button_rect(), (ui::rect{0, 0, 16, 16}));
  EXPECT_EQ(bar.second_button_rect(), (ui::rect{0, 184, 16, 16}));
  EXPECT_EQ(bar.range(), 200);
  EXPECT_FLOAT_EQ(bar.ratio(), 0.76f);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 16}));
  bar.set_position(100, false);
  EXPECT_EQ(offset(), -100);
  EXPECT_EQ(bar.position(), 100);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 92, 16, 16}));
}

TEST_F(scroll_bar_test, set_target_starts_at_offset_0_and_a_bar_without_target_fills_its_track) {
  content.set_bounds({0, -150, 180, 500});
  bar.set_target(&content);
  EXPECT_EQ(offset(), 0);
  bar.set_target(nullptr);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 168}));
  EXPECT_EQ(bar.range(), 0);
}

TEST_F(scroll_bar_test, dragging_the_thumb_captures_the_mouse_and_snaps_to_multiples_of_10) {
  on_bar(8, 20, event_type::mouse_down);
  EXPECT_TRUE(bar.dragging());
  EXPECT_EQ(ui::mouse_capture(), &bar);
  EXPECT_TRUE(natively_captured());
  EXPECT_EQ(bar.drag_anchor(), (ui::point{8, 20}));

  on_bar(8, 30, event_type::mouse_move);  // 10 / 0.76 = 13.2
  EXPECT_EQ(offset(), -10);
  on_bar(8, 60, event_type::mouse_move);  // 40 / 0.76 = 52.6
  EXPECT_EQ(offset(), -50);
  on_bar(-250, 400, event_type::mouse_move);  // far outside the bar: the capture still brings it
  EXPECT_EQ(offset(), -200);
  on_bar(8, 10, event_type::mouse_move);
  EXPECT_EQ(offset(), 0);

  on_bar(-250, 60, event_type::mouse_up, 2);  // another button does not end the drag
  EXPECT_TRUE(bar.dragging());
  on_bar(-250, 60, event_type::mouse_up);
  EXPECT_FALSE(bar.dragging());
  EXPECT_EQ(ui::mouse_capture(), nullptr);
  EXPECT_FALSE(natively_captured());
  on_bar(8, 60, event_type::mouse_move);
  EXPECT_EQ(offset(), 0);
}

TEST_F(scroll_bar_test, a_drag_keeps_the_grab_point_of_a_scrolled_thumb) {
  bar.set_position(100, false);  // thumb at 92
  on_bar(8, 95, event_type::mouse_down);
  EXPECT_EQ(bar.drag_anchor(), (ui::point{8 - 76, 95 - 76}));
  on_bar(8, 95, event_type::mouse_move);  // (95 - 19) / 0.76 = 100
  EXPECT_EQ(offset(), -100);
}

TEST_F(scroll_bar_test, a_right_button_press_on_the_thumb_starts_no_drag) {
  on_bar(8, 20, event_type::mouse_down, 2);
  EXPECT_FALSE(bar.dragging());
  EXPECT_EQ(ui::mouse_capture(), nullptr);
  EXPECT_FALSE(natively_captured());
}

TEST_F(scroll_bar_test, track_clicks_jump_toward_the_pointer_without_snapping) {
  on_bar(8, 101, event_type::mouse_down);  // after the thumb: (101 - 16) / 0.76 = 111.8
  on_bar(8, 101, event_type::mouse_up);
  EXPECT_EQ(offset(), -111);
  EXPECT_EQ(bar.thumb_rect().y, 16 + 84);
  on_bar(8, 50, event_type::mouse_down);  // before it: 50 / 0.76 = 65.8
  EXPECT_EQ(offset(), -65);
  on_bar(8, 183, event_type::mouse_down);  // clamped to the range
  EXPECT_EQ(offset(), -200);
  on_bar(8, 10, event_type::mouse_down);  // on a button: buttons act on the release
  EXPECT_EQ(offset(), -200);
  EXPECT_FALSE(bar.dragging());
}

TEST_F(scroll_bar_test, arrow_releases_move_by_one_step_within_the_range) {
  on_bar(8, 190, event_type::mouse_down);
  EXPECT_EQ(offset(), 0);
  on_bar(8, 190, event_type::mouse_up);
  on_bar(8, 199, event_type::mouse_up);
  EXPECT_EQ(offset(), -20);
  on_bar(8, 5, event_type::mouse_up);
  EXPECT_EQ(offset(), -10);
  for (int i = 0; i < 3; ++i) on_bar(8, 5, event_type::mouse_up);
  EXPECT_EQ(offset(), 0);
  bar.set_position(195, false);
  for (int i = 0; i < 3; ++i) on_bar(8, 190, event_type::mouse_up);
  EXPECT_EQ(offset(), -200);
  on_bar(8, 190, event_type::mouse_up, 1);  // left button only
  on_bar(8, 100, event_type::mouse_up);     // the track does nothing on release
  EXPECT_EQ(offset(), -200);
}

TEST_F(scroll_bar_test, the_wheel_scrolls_over_the_bar_and_over_the_content_without_snapping) {
  wheel_at(308, 100, -120);
  EXPECT_EQ(offset(), -60);
  wheel_at(50, 50, -25);  // over the content: -12.5, truncated
  EXPECT_EQ(offset(), -72);
  wheel_at(50, 50, 240);
  EXPECT_EQ(offset(), 0);
  for (int i = 0; i < 5; ++i) wheel_at(308, 100, -120);
  EXPECT_EQ(offset(), -200);
}

TEST_F(scroll_bar_test, with_range_0_nothing_moves_the_content) {
  content.set_bounds({0, 0, 180, 250});
  EXPECT_EQ(bar.range(), 0);
  EXPECT_EQ(bar.ratio(), 0.0f);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 168}));

  on_bar(8, 190, event_type::mouse_up);
  on_bar(8, 5, event_type::mouse_up);
  wheel_at(308, 100, -120);
  wheel_at(50, 50, -120);
  on_bar(8, 100, event_type::mouse_down);
  on_bar(8, 150, event_type::mouse_move);
  on_bar(8, 150, event_type::mouse_up);
  EXPECT_EQ(offset(), 0);
}

TEST_F(scroll_bar_test, the_content_shrinking_or_the_viewport_growing_pulls_the_content_back) {
  bar.set_position(200, false);
  content.set_bounds({0, -200, 180, 400});  // the range is now 100
  EXPECT_EQ(offset(), -100);
  EXPECT_EQ(bar.thumb_rect().y + bar.thumb_rect().height, 184);

  content.set_bounds({0, -200, 180, 500});
  viewport.set_bounds({0, 0, 200, 350});  // the end of the content comes into view
  EXPECT_EQ(offset(), -150);
  EXPECT_EQ(bar.range(), 150);
  viewport.set_bounds({0, 0, 200, 600});
  EXPECT_EQ(offset(), 0);
  EXPECT_EQ(bar.range(), 0);
}

TEST_F(scroll_bar_test, setting_the_target_again_leaves_one_wheel_notch_one_scroll) {
  bar.set_target(&content);
  bar.set_target(&content);
  wheel_at(50, 50, -120);
  EXPECT_EQ(offset(), -60);

  // A new target: the old one no longer scrolls, nor does its viewport move the bar.
  ui::GenericPanel other_viewport, other;
  other_viewport.create(win.root, {200, 0, 90, 100});
  other.create(other_viewport, {0, 0, 90, 400});
  std::vector<std::string> wheel_on_viewport;
  ui::connect(&viewport, event_type::mouse_wheel,
              [&](const ui::event_info&) { wheel_on_viewport.push_back("viewport"); });
  bar.set_target(&other);
  EXPECT_EQ(bar.range(), 300);
  wheel_at(50, 50, -120);
  EXPECT_EQ(offset(), -60);
  EXPECT_EQ(wheel_on_viewport, strings{"viewport"});  // the old content has no wheel list left
  viewport.set_bounds({0, 0, 200, 800});
  EXPECT_EQ(offset(), -60);
  EXPECT_EQ(bar.range(), 300);
  wheel_at(250, 50, -120);
  EXPECT_EQ(other.y(), -60);
}

TEST_F(scroll_bar_test, a_target_that_leaves_its_parent_or_dies_is_let_go) {
  auto doomed = std::make_unique<ui::GenericPanel>();
  doomed->create(viewport, {0, 0, 180, 900});
  bar.set_target(doomed.get());
  ASSERT_EQ(bar.range(), 600);
  doomed.reset();
  EXPECT_EQ(bar.target(), nullptr);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 168}));
  bar.set_bounds({300, 50, 16, 150});  // a layout with the target gone
  viewport.set_bounds({0, 0, 200, 250});
  wheel_at(308, 100, -120);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 118}));

  bar.set_target(&content);
  viewport.remove_child(content);
  EXPECT_EQ(bar.target(), nullptr);
}

TEST_F(scroll_bar_test, a_destroyed_bar_leaves_its_target_alone) {
  auto doomed = std::make_unique<ui::ScrollBar>();
  doomed->create(win.root, {330, 50, 16, 200});
  doomed->set_target(&content);
  on_bar(38, 20, event_type::mouse_down);  // dragging on the doomed bar
  ASSERT_TRUE(natively_captured());
  doomed.reset();
  EXPECT_FALSE(natively_captured());
  EXPECT_EQ(ui::mouse_capture(), nullptr);
  wheel_at(50, 50, -120);  // only the first bar scrolls now
  EXPECT_EQ(offset(), -60);
  content.set_bounds({0, -60, 180, 600});
  EXPECT_EQ(bar.range(), 300);
}

TEST_F(scroll_bar_test, paints_track_thumb_grip_lines_and_arrow_buttons) {
  bar.set_position(100, false);  // thumb (0, 92, 16, 16)
  const auto calls = paint(bar);
  ASSERT_EQ(kinds(calls),
            (std::vector<draw_kind>{draw_kind::fill_rect, draw_kind::fill_rect, draw_kind::stroke_line,
                                    draw_kind::stroke_line, draw_kind::stroke_line, draw_kind::fill_rect,
                                    draw_kind::stroke_line, draw_kind::bitmap, draw_kind::fill_rect,
                                    draw_kind::stroke_line, draw_kind::bitmap}));
  EXPECT_EQ(calls[0].area, edges(0, 0, 16, 200));
  EXPECT_EQ(calls[0].colour, (ui::color{0.067f, 0.071f, 0.078f, 1}));
  EXPECT_EQ(calls[1].area, edges(0, 92, 16, 16));
  EXPECT_EQ(calls[1].colour, (ui::color{0.145f, 0.149f, 0.165f, 1}));
  // Grip lines around c = 100, shifted half a pixel for width 1.
  for (std::size_t i = 0; i < 3; ++i) {
    const float y = 97.5f + 3.0f * static_cast<float>(i);
    EXPECT_EQ(calls[2 + i].area, (ui::rect_f{4.5f, y, 12.5f, y}));
    EXPECT_EQ(calls[2 + i].colour, (ui::color{0.314f, 0.314f, 0.314f, 1}));
  }
  EXPECT_EQ(calls[5].area, edges(0, 0, 16, 16));
  EXPECT_EQ(calls[5].colour, (ui::color{0.22f, 0.235f, 0.251f, 1}));
  EXPECT_EQ(calls[6].area, (ui::rect_f{0.5f, 0.5f, 16.5f, 0.5f}));  // the button's top edge
  EXPECT_EQ(calls[6].colour, (ui::color{0.325f, 0.325f, 0.325f, 1}));
  EXPECT_EQ(calls[7].area, edges(4, 6, 8, 4));
  EXPECT_EQ(calls[7].source, edges(0, 0, 8, 4));  // the upper half: up
  EXPECT_EQ(calls[8].area, edges(0, 184, 16, 16));
  EXPECT_EQ(calls[9].area, (ui::rect_f{0.5f, 184.5f, 16.5f, 184.5f}));
  EXPECT_EQ(calls[10].area, edges(4, 190, 8, 4));
  EXPECT_EQ(calls[10].source, edges(0, 4, 8, 4));  // the lower half: down
}

TEST_F(scroll_bar_test, grip_and_edge_lines_are_solid_after_a_focused_button_drew_dotted) {
  ui::GenericButton button;
  button.create(win.root, {0, 0, 1, 1});
  win.root.remove_child(bar);
  win.root.add_child(bar);  // painted after the button
  win.set_focus(&button, ui::focus_reason::keyboard);
  paint(bar);
  const auto& drawing = platform.drawing_of(win);
  ASSERT_TRUE(of_kind(drawing.calls_of(button), draw_kind::stroke_rect).at(0).dotted);
  const auto lines = of_kind(drawing.calls_of(bar), draw_kind::stroke_line);
  ASSERT_EQ(lines.size(), 5u);
  for (const auto& line : lines) {
    EXPECT_FALSE(line.dotted);
    EXPECT_EQ(line.width, 1.0f);
  }
}

TEST(scroll_bar, a_horizontal_bar_works_along_x) {
  support::test_platform platform;
  ui::window win;
  win.create("Horizontal", {0, 0, 400, 300});
  platform.set_client_origin(win, {0, 0});
  ui::GenericPanel viewport, content;
  viewport.create(win.root, {0, 0, 300, 100});
  content.create(viewport, {0, 0, 500, 90});
  ui::ScrollBar bar;
  bar.orientation = ui::ScrollBar::horizontal;
  bar.create(win.root, {0, 200, 200, 16});
  bar.set_target(&content);

  EXPECT_EQ(bar.first_button_rect(), (ui::rect{0, 0, 16, 16}));
  EXPECT_EQ(bar.second_button_rect(), (ui::rect{184, 0, 16, 16}));
  bar.set_position(100, false);
  EXPECT_EQ(content.bounds(), (ui::rect{-100, 0, 500, 90}));
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{92, 0, 16, 16}));

  const auto at = [&](int x, int y, ui::event_type code) {
    platform.set_pointer({x, 200 + y});
    win.dispatch(code, 0);
  };
  at(190, 8, event_type::mouse_up);  // right arrow
  EXPECT_EQ(content.x(), -110);
  at(105, 8, event_type::mouse_down);  // grab the thumb (now at 16 + 83 = 99): anchor 105 - 83
  EXPECT_EQ(bar.drag_anchor().x, 22);
  at(135, 8, event_type::mouse_move);
  EXPECT_EQ(content.x(), -140);  // (135 - 22) / 0.76 = 148.7, snapped
  at(135, 8, event_type::mouse_up);
  ui::set_mouse_capture(nullptr);

  platform.drawing_of(win).clear();
  win.paint_tree(win.root, {0, 0, 400, 300});
  const auto calls = platform.drawing_of(win).calls_of(bar);
  const auto lines = of_kind(calls, draw_kind::stroke_line);
  ASSERT_EQ(lines.size(), 5u);
  const float c = static_cast<float>(bar.thumb_rect().x + 8);
  EXPECT_EQ(lines[0].area, (ui::rect_f{c - 3 + 0.5f, 4.5f, c - 3 + 0.5f, 12.5f}));
  EXPECT_EQ(lines[3].area, (ui::rect_f{0.5f, 0.5f, 0.5f, 16.5f}));  // the button's left edge
  const auto bitmaps = of_kind(calls, draw_kind::bitmap);
  ASSERT_EQ(bitmaps.size(), 2u);
  EXPECT_EQ(bitmaps[0].area, edges(6, 4, 4, 8));
  EXPECT_EQ(bitmaps[0].source, edges(0, 0, 4, 8));
  EXPECT_EQ(bitmaps[1].area, edges(184 + 6, 4, 4, 8));
  EXPECT_EQ(bitmaps[1].source, edges(4, 0, 4, 8));
}

TEST_F(scroll_bar_test, without_buttons_the_thumb_runs_the_whole_bar) {
  ui::ScrollBar plain;
  plain.buttons = false;
  plain.create(win.root, {330, 50, 16, 200});
  plain.set_target(&content);
  EXPECT_EQ(plain.first_button_rect(), (ui::rect{}));
  EXPECT_FLOAT_EQ(plain.ratio(), 0.92f);  // (200 - 16) / 200
  EXPECT_EQ(plain.thumb_rect(), (ui::rect{0, 0, 16, 16}));
  input_at(330 + 8, 50 + 5, event_type::mouse_up);  // no buttons to release on
  EXPECT_EQ(offset(), 0);
  EXPECT_EQ(of_kind(paint(plain), draw_kind::bitmap).size(), 0u);
}

TEST_F(scroll_bar_test, positions_beyond_the_int32_range_are_clamped_not_overflowed) {
  // Content 2e9 high: the ratio is 152 / (2e9 - 300), so a click near the
  // track's end asks for a position above the int32 range.
  content.set_bounds({0, 0, 180, 2000000000});
  on_bar(8, 183, event_type::mouse_down);
  EXPECT_EQ(offset(), -bar.range());
  bar.set_position(std::numeric_limits<std::int32_t>::min(), false);
  EXPECT_EQ(offset(), 0);
  bar.set_position(std::numeric_limits<std::int32_t>::max(), true);
  EXPECT_EQ(offset(), -bar.range());
}
