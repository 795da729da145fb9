// Geometry at the ends of the int32 range: sums and products are taken in
// 64 bits and saturate instead of wrapping around.
#include "tree_fixture.h"

#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/mul_div.h"

#include <limits>

namespace {

constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();

}  // namespace

TEST(mul_div, saturates_at_the_ends_of_the_range_instead_of_wrapping) {
  EXPECT_EQ(ui::mul_div(most, 2, 1), most);
  EXPECT_EQ(ui::mul_div(most, -2, 1), least);
  EXPECT_EQ(ui::mul_div(least, least, 1), most);
  EXPECT_EQ(ui::mul_div(least, 1, -1), most);  // minus the lowest value
  EXPECT_EQ(ui::mul_div(most, 120, 96), most);
  EXPECT_EQ(ui::mul_div(most, 96, 120), 1717986918);  // in range: exact
  EXPECT_EQ(ui::mul_div(least, 1, 1), least);
}

TEST_F(tree_test, a_child_reaching_past_the_range_is_still_hit_where_it_lies) {
  ui::widget wide;
  wide.create(win.root, {10, 10, most, 20});
  ui::widget tall;
  tall.create(win.root, {150, 0, 20, most});
  EXPECT_EQ(win.hit_test({50, 15}), &wide);
  EXPECT_EQ(win.hit_test({5, 15}), &win.root);
  EXPECT_EQ(win.hit_test({160, 50}), &tall);
}

TEST_F(tree_test, origins_and_repaint_areas_saturate_for_far_off_widgets) {
  ui::widget outer;
  outer.create(win.root, {most - 10, least + 10, 100, 100});
  ui::widget inner;
  inner.create(outer, {20, -20, 100, most});
  EXPECT_EQ(inner.window_origin(), (ui::point{most, least}));
  platform.clear_repaints();
  inner.invalidate();
  ASSERT_EQ(platform.repaints().size(), 1u);
  EXPECT_EQ(platform.repaints()[0].area, (ui::edge_rect{most, least, most, -11}));

  // Anchors stretching past the range stop at its end.
  ui::widget stretched;
  stretched.create(win.root, {0, 0, 10, 10});
  stretched.anchors.left = {true, least};
  stretched.anchors.right = {true, least};
  stretched.apply_anchors(most, 100);
  EXPECT_EQ(stretched.width(), most);
}

TEST_F(tree_test, the_pointer_in_a_far_off_widget_saturates) {
  ui::widget outer;
  outer.create(win.root, {most - 10, 0, 100, 100});
  ui::widget inner;
  inner.create(outer, {100, 0, 10, 10});
  point_at(20, 5);
  EXPECT_EQ(ui::cursor_position(&inner), (ui::point{least, 5}));
}
