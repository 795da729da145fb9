#include "widget_fixture.h"

#include "hbsdk/ui/widgets/generic_panel.h"

TEST_F(widget_test, a_panel_fills_itself_and_an_empty_one_draws_nothing_while_its_children_paint) {
  ui::GenericPanel panel, child;
  panel.create(win.root, {10, 10, 120, 80});
  child.create(panel, {5, 5, 40, 30});
  EXPECT_EQ(paint(panel).at(0).colour, (ui::color{1, 0, 1, 1}));
  panel.style.set_style_color("default_back_color", {0, 0.5f, 0, 1});
  EXPECT_EQ(paint(panel).at(0).colour, (ui::color{0, 0.5f, 0, 1}));

  panel.set_bounds({100, 10, 0, 0});
  EXPECT_TRUE(paint(panel).empty());
  EXPECT_EQ(paint(child).at(0).area, edges(0, 0, 40, 30));
  panel.set_bounds({100, 10, -20, 30});  // anchors can make a negative size
  EXPECT_TRUE(paint(panel).empty());
}
