// Widgets and windows that go away while others still point at them.
#include "tree_fixture.h"

#include "hbsdk/ui/cursor_position.h"

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

TEST(window_lifetime, widgets_never_created_or_taken_out_of_the_tree_forget_the_window_too) {
  support::test_platform platform;
  ui::widget attached;  // attached with add_child, never created
  ui::widget removed;   // created, then taken out of the tree
  ui::widget below;     // never created, under the removed one
  {
    ui::window win;
    win.create_tree({0, 0, 100, 100});
    win.root.add_child(attached);
    removed.create(win.root, {1, 1, 5, 5});
    removed.add_child(below);
    win.root.remove_child(removed);
    ASSERT_EQ(attached.window(), &win);
    ASSERT_EQ(below.window(), &win);
  }
  for (const ui::widget* w : {&attached, &removed, &below}) {
    EXPECT_EQ(w->window(), nullptr);
  }
  platform.clear_repaints();
  attached.invalidate();
  below.set_visible(true);
  EXPECT_TRUE(platform.repaints().empty());
}

// A widget created under a parent that is not in a window yet joins the
// window with its parent, so every input path reaches it like any other.
TEST_F(tree_test, a_widget_created_under_a_loose_parent_joins_the_window_with_it) {
  ui::widget panel;
  auto child = std::make_unique<ui::widget>();
  child->create(panel, {5, 5, 20, 20});
  EXPECT_EQ(child->window(), nullptr);
  panel.create(win.root, {10, 10, 50, 50});
  EXPECT_EQ(child->window(), &win);
  EXPECT_EQ(win.focus_order(), (std::vector<ui::widget*>{&win.root, &panel, child.get()}));

  platform.clear_repaints();
  child->invalidate();
  ASSERT_EQ(platform.repaints().size(), 1u);
  EXPECT_EQ(platform.repaints()[0].area, (ui::edge_rect{15, 15, 35, 35}));

  EXPECT_EQ(win.hit_test({20, 20}), child.get());
  EXPECT_NO_THROW(dispatch_at(20, 20, event_type::mouse_down));
  EXPECT_EQ(win.focused(), child.get());
  dispatch_at(20, 20, event_type::mouse_move);
  EXPECT_EQ(win.hovered(), child.get());
  child.reset();
  EXPECT_EQ(win.hovered(), nullptr);
  EXPECT_EQ(win.focused(), &win.root);
  dispatch_at(21, 21, event_type::mouse_move);  // reads no freed memory (sanitizer build)
  EXPECT_EQ(win.hovered(), &panel);
}

TEST_F(tree_test, a_child_moved_into_another_window_belongs_to_that_window) {
  ui::window other;
  other.create_tree({0, 0, 100, 100});
  ui::widget moved;
  ui::widget inner;
  moved.create(win.root, {0, 0, 40, 40});
  inner.create(moved, {0, 0, 10, 10});
  dispatch_at(5, 5, event_type::mouse_down);
  ASSERT_EQ(win.focused(), &inner);

  other.root.add_child(moved);
  EXPECT_EQ(moved.window(), &other);
  EXPECT_EQ(inner.window(), &other);
  EXPECT_EQ(win.focused(), &win.root);
  EXPECT_EQ(win.focus_order(), std::vector<ui::widget*>{&win.root});
  EXPECT_EQ(other.focus_order(), (std::vector<ui::widget*>{&other.root, &moved, &inner}));
  EXPECT_NO_THROW(other.dispatch(event_type::mouse_down, 0));  // the pointer is over inner
  EXPECT_EQ(other.focused(), &inner);
}

TEST_F(tree_test, set_bounds_skips_children_that_a_callback_destroyed_or_removed) {
  ui::widget panel;
  panel.create(win.root, {0, 0, 100, 100});
  auto doomed = std::make_unique<ui::widget>();
  ui::widget removed;
  ui::widget kept;
  for (ui::widget* w : {doomed.get(), &removed, &kept}) {
    w->create(panel, {0, 0, 10, 10});
    w->anchors.right = {true, 0};
  }
  ui::connect(&panel, event_type::resized, [&](const ui::event_info&) {
    doomed.reset();
    panel.remove_child(removed);
  });
  events.watch(&removed, "removed", {event_type::parent_resized});
  events.watch(&kept, "kept", {event_type::parent_resized});
  panel.set_bounds({0, 0, 120, 100});
  EXPECT_EQ(events.names(), strings{"kept:parent_resized"});
  EXPECT_EQ(removed.x(), 0);  // not re-anchored after it left
  EXPECT_EQ(kept.x(), 110);
}

TEST_F(tree_test, a_mouse_leave_callback_that_destroys_the_new_widget_does_not_leave_it_hovered) {
  ui::widget old_widget;
  old_widget.create(win.root, {0, 0, 50, 50});
  auto fresh = std::make_unique<ui::widget>();
  fresh->create(win.root, {60, 0, 50, 50});
  dispatch_at(10, 10, event_type::mouse_move);
  ASSERT_EQ(win.hovered(), &old_widget);
  ui::connect(&old_widget, event_type::mouse_leave, [&](const ui::event_info&) { fresh.reset(); });
  events.watch(&win.root, "root", {event_type::mouse_enter});
  dispatch_at(70, 10, event_type::mouse_move);
  EXPECT_EQ(win.hovered(), &win.root);  // the widget under the pointer once the callback ran
  EXPECT_EQ(events.names(), strings{"root:mouse_enter"});
}

TEST_F(tree_test, a_mouse_enter_callback_that_destroys_its_widget_leaves_nothing_hovered) {
  auto fresh = std::make_unique<ui::widget>();
  fresh->create(win.root, {60, 0, 50, 50});
  ui::connect(fresh.get(), event_type::mouse_enter, [&](const ui::event_info&) { fresh.reset(); });
  dispatch_at(70, 10, event_type::mouse_move);
  EXPECT_EQ(win.hovered(), nullptr);
  dispatch_at(71, 10, event_type::mouse_move);
  EXPECT_EQ(win.hovered(), &win.root);
}

TEST_F(tree_test, a_focus_callback_that_destroys_the_pressed_widget_does_not_throw_or_fire_on_it) {
  ui::widget first;
  first.create(win.root, {0, 0, 50, 50});
  auto second = std::make_unique<ui::widget>();
  second->create(win.root, {60, 0, 50, 50});
  dispatch_at(10, 10, event_type::mouse_down);
  ASSERT_EQ(win.focused(), &first);
  ui::connect(&first, event_type::focus_lost, [&](const ui::event_info&) { second.reset(); });
  EXPECT_NO_THROW(dispatch_at(70, 10, event_type::mouse_down));
  EXPECT_EQ(second, nullptr);
  EXPECT_TRUE(win.focused() == &first || win.focused() == &win.root);
}

TEST_F(tree_test, a_captured_move_leaves_hovered_alone) {
  ui::widget dragger, other;
  dragger.create(win.root, {0, 0, 50, 50});
  other.create(win.root, {60, 0, 50, 50});
  dispatch_at(10, 10, event_type::mouse_move);
  ui::set_mouse_capture(&dragger);
  events.watch(&dragger, "dragger", {event_type::mouse_move, event_type::mouse_leave});
  events.watch(&other, "other", {event_type::mouse_enter});
  dispatch_at(70, 10, event_type::mouse_move);
  EXPECT_EQ(events.names(), strings{"dragger:mouse_move"});
  EXPECT_EQ(win.hovered(), &dragger);
}

TEST(cursor_position, a_widget_outside_any_window_gets_the_screen_position_in_dips) {
  support::test_platform platform;
  platform.set_dpi({120, 120});
  platform.set_pointer({250, 125});
  ui::widget parent;
  ui::widget loose;
  parent.set_bounds({7, 7, 10, 10});
  parent.add_child(loose);
  loose.set_bounds({3, 3, 1, 1});
  EXPECT_EQ(ui::cursor_position(&loose), (ui::point{200, 100}));
  EXPECT_EQ(ui::cursor_position(nullptr), (ui::point{200, 100}));
}
