#include "widget_fixture.h"

#include "hbsdk/ui/widgets/generic_panel.h"

TEST_F(widget_test, a_panel_fills_itself_with_its_current_background) {
  ui::GenericPanel panel;
  panel.create(win.root, {10, 10, 120, 80});
  auto calls = paint(panel);
  ASSERT_EQ(kinds(calls), std::vector<draw_kind>{draw_kind::fill_rect});
  EXPECT_EQ(calls[0].area, edges(0, 0, 120, 80));
  EXPECT_EQ(calls[0].colour, (ui::color{1, 0, 1, 1}));  // the default

  panel.style.set_style_color("default_back_color", {0, 0.5f, 0, 1});
  calls = paint(panel);
  EXPECT_EQ(calls.at(0).colour, (ui::color{0, 0.5f, 0, 1}));
}

TEST_F(widget_test, an_empty_panel_draws_nothing_while_its_children_still_paint) {
  ui::GenericPanel panel;
  ui::GenericPanel child;
  panel.create(win.root, {10, 10, 0, 0});
  child.create(panel, {5, 5, 40, 30});
  EXPECT_TRUE(paint(panel).empty());
  const auto calls = paint(child);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].area, edges(0, 0, 40, 30));

  panel.set_bounds({100, 10, -20, 30});  // a negative size (anchors can make one) draws nothing either
  EXPECT_TRUE(paint(panel).empty());
}
