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
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 92, 16, 16}));

  bar.set_target(&content);  // a new target starts at offset 0
  EXPECT_EQ(offset(), 0);
  bar.set_target(nullptr);  // without one the thumb fills the track
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 168}));
}

TEST_F(scroll_bar_test, a_left_drag_of_the_thumb_captures_the_mouse_and_snaps_to_multiples_of_10) {
  on_bar(8, 20, event_type::mouse_down, 2);  // not with the right button
  EXPECT_FALSE(bar.dragging() || natively_captured());

  on_bar(8, 20, event_type::mouse_down);
  EXPECT_EQ(ui::mouse_capture(), &bar);
  EXPECT_TRUE(natively_captured());
  on_bar(8, 30, event_type::mouse_move);  // 10 / 0.76 = 13.2
  EXPECT_EQ(offset(), -10);
  on_bar(8, 60, event_type::mouse_move);  // 40 / 0.76 = 52.6
  EXPECT_EQ(offset(), -50);
  on_bar(-250, 400, event_type::mouse_move);  // far outside the bar: the capture still brings it
  EXPECT_EQ(offset(), -200);
  on_bar(-250, 60, event_type::mouse_up, 2);  // another button does not end the drag
  EXPECT_TRUE(bar.dragging());
  on_bar(-250, 60, event_type::mouse_up);
  EXPECT_FALSE(bar.dragging());
  EXPECT_EQ(ui::mouse_capture(), nullptr);
  EXPECT_FALSE(natively_captured());

  // A drag of the scrolled thumb keeps its grab point: k = int(200 x 0.76) = 152.
  on_bar(8, 170, event_type::mouse_down);
  EXPECT_EQ(bar.drag_anchor(), (ui::point{8 - 152, 170 - 152}));
  on_bar(8, 94, event_type::mouse_move);  // (94 - 18) / 0.76 = 100
  EXPECT_EQ(offset(), -100);
}

TEST_F(scroll_bar_test, track_presses_jump_toward_the_pointer_unsnapped_and_buttons_act_on_release) {
  on_bar(8, 101, event_type::mouse_down);  // after the thumb: (101 - 16) / 0.76 = 111.8
  on_bar(8, 101, event_type::mouse_up);    // a release on the track does nothing
  EXPECT_EQ(offset(), -111);
  on_bar(8, 50, event_type::mouse_down);  // before the thumb (now at 100): 50 / 0.76 = 65.8
  EXPECT_EQ(offset(), -65);

  on_bar(8, 190, event_type::mouse_down);
  EXPECT_EQ(offset(), -65);
  on_bar(8, 190, event_type::mouse_up);
  on_bar(8, 199, event_type::mouse_up);
  EXPECT_EQ(offset(), -85);
  on_bar(8, 0, event_type::mouse_up);
  on_bar(8, 5, event_type::mouse_up, 1);  // left button only
  EXPECT_EQ(offset(), -75);
  for (int i = 0; i < 9; ++i) on_bar(8, 5, event_type::mouse_up);
  EXPECT_EQ(offset(), 0);
  bar.set_position(195, false);
  for (int i = 0; i < 2; ++i) on_bar(8, 190, event_type::mouse_up);
  EXPECT_EQ(offset(), -200);
}

TEST_F(scroll_bar_test, the_wheel_scrolls_over_the_bar_and_over_the_content_unsnapped_and_clamped) {
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
  wheel_at(50, 50, -120);
  on_bar(8, 100, event_type::mouse_down);  // a drag of the full-length thumb
  on_bar(8, 150, event_type::mouse_move);
  on_bar(8, 150, event_type::mouse_up);
  EXPECT_EQ(offset(), 0);
}

TEST_F(scroll_bar_test, the_content_shrinking_or_the_viewport_growing_pulls_the_content_back) {
  bar.set_position(200, false);
  content.set_bounds({0, -200, 180, 400});  // the range drops to 100
  EXPECT_EQ(offset(), -100);
  content.set_bounds({0, -200, 180, 500});
  viewport.set_bounds({0, 0, 200, 350});  // the content's end comes into view
  EXPECT_EQ(offset(), -150);
  EXPECT_EQ(bar.range(), 150);
  viewport.set_bounds({0, 0, 200, 600});
  EXPECT_EQ(offset(), 0);
}

TEST_F(scroll_bar_test, setting_the_target_again_leaves_one_wheel_notch_one_scroll) {
  bar.set_target(&content);
  bar.set_target(&content);
  wheel_at(50, 50, -120);
  EXPECT_EQ(offset(), -60);

  // After a new target the old content and its viewport no longer reach the bar.
  ui::GenericPanel other_viewport, other;
  other_viewport.create(win.root, {200, 0, 90, 100});
  other.create(other_viewport, {0, 0, 90, 400});
  bar.set_target(&other);
  int wheel_on_viewport = 0;
  ui::connect(&viewport, event_type::mouse_wheel, [&](const ui::event_info&) { ++wheel_on_viewport; });
  wheel_at(50, 50, -120);
  EXPECT_EQ(wheel_on_viewport, 1);  // the old content has no wheel list left
  viewport.set_bounds({0, 0, 200, 800});
  EXPECT_EQ(offset(), -60);
  EXPECT_EQ(bar.range(), 300);
}

TEST_F(scroll_bar_test, a_target_that_leaves_its_parent_or_dies_is_let_go) {
  auto doomed = std::make_unique<ui::GenericPanel>();
  doomed->create(viewport, {0, 0, 180, 900});
  bar.set_target(doomed.get());
  doomed.reset();
  EXPECT_EQ(bar.target(), nullptr);
  bar.set_bounds({300, 50, 16, 150});  // lays out and recomputes without the target
  viewport.set_bounds({0, 0, 200, 250});
  wheel_at(308, 100, -120);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 118}));

  bar.set_target(&content);
  viewport.remove_child(content);
  EXPECT_EQ(bar.target(), nullptr);
}

// Without a parent there is no child_removed to hear: the bar still lets go
// when the target dies, and when the viewport went first.
TEST_F(scroll_bar_test, a_target_is_let_go_when_it_dies_without_a_parent) {
  auto loose = std::make_unique<ui::GenericPanel>();
  loose->set_bounds({0, 0, 180, 900});
  bar.set_target(loose.get());
  loose.reset();
  EXPECT_EQ(bar.target(), nullptr);
  EXPECT_EQ(bar.range(), 0);
  bar.set_bounds({300, 50, 16, 150});  // recomputes without reading the freed target (sanitizer build)
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 118}));

  auto inner_viewport = std::make_unique<ui::GenericPanel>();
  inner_viewport->create(win.root, {0, 0, 100, 100});
  auto orphan = std::make_unique<ui::GenericPanel>();
  orphan->create(*inner_viewport, {0, 0, 100, 400});
  bar.set_target(orphan.get());
  EXPECT_EQ(bar.range(), 300);
  inner_viewport.reset();  // the target stays, without a parent
  EXPECT_EQ(bar.target(), orphan.get());
  orphan.reset();
  EXPECT_EQ(bar.target(), nullptr);
  bar.set_bounds({300, 50, 16, 200});
  EXPECT_EQ(bar.range(), 0);
}

TEST_F(scroll_bar_test, a_destroyed_bar_releases_its_capture_and_leaves_its_target_alone) {
  auto doomed = std::make_unique<ui::ScrollBar>();
  doomed->create(win.root, {330, 50, 16, 200});
  doomed->set_target(&content);
  on_bar(38, 20, event_type::mouse_down);  // dragging on the doomed bar
  doomed.reset();
  EXPECT_FALSE(natively_captured());
  wheel_at(50, 50, -120);  // only the first bar scrolls now
  EXPECT_EQ(offset(), -60);
  content.set_bounds({0, -60, 180, 600});
  EXPECT_EQ(bar.range(), 300);
}

TEST_F(scroll_bar_test, positions_beyond_the_int32_range_are_clamped_not_overflowed) {
  // Content 2e9 high: a press near the track's end asks for a position above the int32 range.
  content.set_bounds({0, 0, 180, 2000000000});
  on_bar(8, 183, event_type::mouse_down);
  EXPECT_EQ(offset(), -bar.range());
  bar.set_position(std::numeric_limits<std::int32_t>::min(), false);
  EXPECT_EQ(offset(), 0);
}

TEST_F(scroll_bar_test, paints_track_thumb_solid_grip_lines_and_arrow_buttons) {
  // A focused button painted first leaves the renderer dotted.
  ui::GenericButton button;
  button.create(win.root, {0, 0, 1, 1});
  win.root.remove_child(bar);
  win.root.add_child(bar);
  win.set_focus(&button, ui::focus_reason::keyboard);
  bar.set_position(100, false);  // thumb (0, 92, 16, 16)

  const auto calls = paint(bar);
  ASSERT_TRUE(of_kind(platform.drawing_of(win).calls_of(button), draw_kind::stroke_rect).at(0).dotted);
  using k = draw_kind;
  ASSERT_EQ(kinds(calls), (std::vector<draw_kind>{k::fill_rect, k::fill_rect, k::stroke_line, k::stroke_line,
                                                  k::stroke_line, k::fill_rect, k::stroke_line, k::bitmap,
                                                  k::fill_rect, k::stroke_line, k::bitmap}));
  EXPECT_EQ(calls[0].area, edges(0, 0, 16, 200));
  EXPECT_EQ(calls[1].area, edges(0, 92, 16, 16));
  for (std::size_t i = 0; i < 3; ++i) {  // around c = 100, shifted half a pixel
    const float y = 97.5f + 3.0f * static_cast<float>(i);
    EXPECT_EQ(calls[2 + i].area, (ui::rect_f{4.5f, y, 12.5f, y}));
  }
  EXPECT_EQ(calls[6].area, (ui::rect_f{0.5f, 0.5f, 16.5f, 0.5f}));  // the button's top edge
  EXPECT_EQ(calls[7].area, edges(4, 6, 8, 4));
  EXPECT_EQ(calls[7].source, edges(0, 0, 8, 4));  // the upper half: up
  EXPECT_EQ(calls[10].area, edges(4, 190, 8, 4));
  EXPECT_EQ(calls[10].source, edges(0, 4, 8, 4));  // the lower half: down
  for (const auto& line : of_kind(calls, draw_kind::stroke_line)) EXPECT_FALSE(line.dotted);
}

TEST_F(scroll_bar_test, a_horizontal_bar_works_along_x_and_a_bar_without_buttons_uses_its_whole_length) {
  ui::GenericPanel wide;
  wide.create(content, {0, 0, 500, 50});  // 500 wide in a 180-wide parent: range 320
  ui::ScrollBar across;
  across.orientation = ui::ScrollBar::horizontal;
  across.create(win.root, {0, 284, 200, 16});
  across.set_target(&wide);
  EXPECT_EQ(across.second_button_rect(), (ui::rect{184, 0, 16, 16}));
  EXPECT_FLOAT_EQ(across.ratio(), 152.0f / 320.0f);
  across.set_position(100, false);
  EXPECT_EQ(wide.x(), -100);
  EXPECT_EQ(across.thumb_rect(), (ui::rect{16 + 47, 0, 16, 16}));
  input_at(190, 290, event_type::mouse_up);  // the right arrow
  EXPECT_EQ(wide.x(), -110);

  const auto calls = paint(across);
  const auto lines = of_kind(calls, draw_kind::stroke_line);
  ASSERT_EQ(lines.size(), 5u);
  const float c = static_cast<float>(across.thumb_rect().x + 8 - 3) + 0.5f;
  EXPECT_EQ(lines[0].area, (ui::rect_f{c, 4.5f, c, 12.5f}));
  EXPECT_EQ(lines[3].area, (ui::rect_f{0.5f, 0.5f, 0.5f, 16.5f}));  // the button's left edge
  const auto arrows = of_kind(calls, draw_kind::bitmap);
  ASSERT_EQ(arrows.size(), 2u);
  EXPECT_EQ(arrows[0].area, edges(6, 4, 4, 8));
  EXPECT_EQ(arrows[0].source, edges(0, 0, 4, 8));
  EXPECT_EQ(arrows[1].source, edges(4, 0, 4, 8));

  ui::ScrollBar plain;
  plain.buttons = false;
  plain.create(win.root, {330, 50, 16, 200});
  plain.set_target(&content);
  EXPECT_FLOAT_EQ(plain.ratio(), 0.92f);  // (200 - 16) / 200
  EXPECT_EQ(plain.thumb_rect(), (ui::rect{0, 0, 16, 16}));
  EXPECT_TRUE(of_kind(paint(plain), draw_kind::bitmap).empty());
}

TEST_F(scroll_bar_test, the_position_stays_within_0_and_the_range_whenever_the_bar_recomputes) {
  bar.set_position(100, false);
  content.set_bounds({0, -100, 180, 250});  // shrinks to fit while scrolled: range 0
  EXPECT_EQ(bar.range(), 0);
  EXPECT_EQ(offset(), 0);

  content.set_bounds({0, 0, 180, 500});
  bar.set_position(200, false);
  content.set_bounds({0, -200, 180, 490});  // range 190; the thumb still fits inside the bar
  EXPECT_EQ(offset(), -190);
  EXPECT_EQ(bar.position(), 190);

  content.set_bounds({0, 40, 180, 490});  // moved beyond the start from outside
  EXPECT_EQ(offset(), 0);
  content.set_bounds({0, std::numeric_limits<std::int32_t>::min(), 180, 490});  // and beyond the end
  EXPECT_EQ(offset(), -190);
  EXPECT_EQ(bar.thumb_rect().y + bar.thumb_rect().height, 184);  // the thumb ends at the second button
}

TEST_F(scroll_bar_test, a_bar_too_short_for_its_thumb_leaves_the_content_where_it_is_scrolled) {
  bar.set_bounds({300, 50, 16, 20});  // two 16-high buttons: no track left
  EXPECT_EQ(offset(), 0);
  EXPECT_EQ(bar.ratio(), 0.0f);  // no room for the thumb to travel
  wheel_at(50, 50, -120);
  EXPECT_EQ(offset(), -60);
  viewport.set_bounds({0, 0, 190, 300});  // every recompute keeps the content where it is
  content.set_bounds({0, -60, 180, 520});
  EXPECT_EQ(offset(), -60);
  on_bar(8, 19, event_type::mouse_up);  // the second arrow still scrolls
  EXPECT_EQ(offset(), -70);
}

TEST_F(scroll_bar_test, extents_beyond_the_int32_range_give_the_largest_range_instead_of_wrapping) {
  constexpr std::int32_t largest = std::numeric_limits<std::int32_t>::max();
  viewport.set_bounds({0, 0, 200, -100});  // anchors can make a negative size
  content.set_bounds({0, 0, 180, largest});
  EXPECT_EQ(bar.range(), largest);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 16}));
  bar.set_position(largest, false);
  EXPECT_EQ(offset(), -largest);
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 168, 16, 16}));

  bar.set_bounds({300, 50, 16, 20});  // a track of -12 less the whole range
  EXPECT_EQ(bar.thumb_rect(), (ui::rect{0, 16, 16, 16}));
  EXPECT_EQ(offset(), -largest);
}

TEST_F(scroll_bar_test, hit_edges_count_as_inside_and_a_drag_ended_over_an_arrow_does_not_step) {
  bar.set_position(100, false);  // thumb (0, 92, 16, 16)
  on_bar(8, 108, event_type::mouse_down);  // the thumb's far edge grabs it
  EXPECT_TRUE(bar.dragging());
  on_bar(8, 190, event_type::mouse_up);  // the drag ends over the second arrow
  EXPECT_FALSE(bar.dragging());
  EXPECT_EQ(offset(), -100);
  on_bar(8, 109, event_type::mouse_down);  // one past the thumb is the track: (109 - 16) / 0.76
  EXPECT_EQ(offset(), -122);
  on_bar(8, 16, event_type::mouse_up);  // the first button's far edge
  EXPECT_EQ(offset(), -112);
  on_bar(0, 184, event_type::mouse_up);  // the second button's near corner
  EXPECT_EQ(offset(), -122);
}

TEST_F(scroll_bar_test, a_horizontal_bar_drags_jumps_and_follows_its_viewport_along_x) {
  // Content 500 wide in a 100-wide viewport: range 400, thumb 16, ratio 152 / 400 = 0.38.
  ui::GenericPanel strip_view, wide;
  strip_view.create(win.root, {200, 0, 100, 40});
  wide.create(strip_view, {0, 0, 500, 40});
  ui::ScrollBar across;
  across.orientation = ui::ScrollBar::horizontal;
  across.create(win.root, {200, 260, 200, 16});
  across.set_target(&wide);
  const auto on_across = [&](int x, event_type code) { input_at(200 + x, 268, code); };

  on_across(20, event_type::mouse_down);
  EXPECT_EQ(across.drag_anchor(), (ui::point{20, 8}));
  on_across(60, event_type::mouse_move);  // 40 / 0.38 = 105.3, snapped
  EXPECT_EQ(wide.x(), -100);
  on_across(63, event_type::mouse_move);  // 43 / 0.38 = 113.2
  EXPECT_EQ(wide.x(), -110);
  on_across(190, event_type::mouse_up);  // over the right arrow: only ends the drag
  EXPECT_EQ(wide.x(), -110);

  on_across(150, event_type::mouse_down);  // after the thumb: (150 - 16) / 0.38 = 352.6
  EXPECT_EQ(wide.x(), -352);
  on_across(30, event_type::mouse_down);  // before it: 30 / 0.38 = 78.9
  EXPECT_EQ(wide.x(), -78);
  on_across(61, event_type::mouse_down);  // the thumb (45 to 61) grabbed at its far edge
  EXPECT_TRUE(across.dragging());
  on_across(61, event_type::mouse_up);
  on_across(16, event_type::mouse_up);  // the left button's far edge
  EXPECT_EQ(wide.x(), -68);

  across.set_position(400, false);
  strip_view.set_bounds({200, 0, 150, 40});  // the content's end comes into view
  EXPECT_EQ(wide.x(), -350);
  EXPECT_EQ(across.range(), 350);
  EXPECT_EQ(wide.y(), 0);
}

TEST_F(scroll_bar_test, asks_for_a_repaint_whenever_it_recomputes) {
  platform.clear_repaints();
  content.set_bounds({0, 0, 180, 600});
  EXPECT_TRUE(repainted(bar));
  viewport.set_bounds({0, 0, 200, 320});
  EXPECT_TRUE(repainted(bar));
  bar.set_target(nullptr);
  EXPECT_TRUE(repainted(bar));
}
