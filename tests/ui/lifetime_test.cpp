// Widgets and windows that go away while others still point at them.
#include "tree_fixture.h"

#include <memory>

using ui::event_type;

TEST_F(tree_test, destroying_a_widget_removes_it_from_focus_hover_order_and_capture) {
  auto doomed = std::make_unique<ui::widget>();
  doomed->create(win.root, {0, 0, 50, 50});
  doomed->tab_stop = true;
  ui::widget survivor;
  survivor.create(win.root, {60, 0, 50, 50});
  survivor.tab_stop = true;

  dispatch_at(10, 10, event_type::mouse_down);
  dispatch_at(10, 10, event_type::mouse_move);
  ui::set_mouse_capture(doomed.get());
  ASSERT_EQ(win.focused(), doomed.get());
  ASSERT_EQ(win.hovered(), doomed.get());

  doomed.reset();
  EXPECT_EQ(win.focused(), &win.root);
  EXPECT_EQ(win.hovered(), nullptr);
  EXPECT_EQ(ui::mouse_capture(), nullptr);
  EXPECT_EQ(win.focus_order(), (std::vector<ui::widget*>{&win.root, &survivor}));

  // Everything that used those pointers still works (a sanitizer build checks the memory).
  win.dispatch(event_type::mouse_leave, 0);
  dispatch_at(70, 10, event_type::mouse_move);
  win.dispatch(event_type::key_down, 65);
  win.focus_next();
  EXPECT_EQ(win.focused(), &survivor);
}

TEST(window_lifetime, widgets_that_outlive_their_window_forget_it) {
  support::test_platform platform;
  ui::widget child;
  {
    ui::window win;
    win.create_tree({0, 0, 100, 100});
    child.create(win.root, {1, 1, 5, 5});
  }
  EXPECT_EQ(child.window(), nullptr);
  EXPECT_EQ(child.parent(), nullptr);
  platform.clear_repaints();
  child.set_visible(false);
  child.invalidate();
  EXPECT_TRUE(platform.repaints().empty());
}
