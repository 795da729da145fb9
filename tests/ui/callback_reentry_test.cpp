// Widget and focus operations whose own callbacks destroy the widget or move
// the focus again: the operation stops touching what is gone and leaves a
// consistent tree.
#include "tree_fixture.h"

#include <memory>

using ui::event_type;

namespace {

// Destroys the widget from a callback of the given code.
void destroy_on(std::unique_ptr<ui::widget>& w, event_type code) {
  ui::connect(w.get(), code, [&w](const ui::event_info&) { w.reset(); });
}

}  // namespace

TEST_F(tree_test, set_visible_stops_when_its_own_callback_destroys_the_widget) {
  for (const bool target_visible : {false, true}) {
    auto doomed = std::make_unique<ui::widget>();
    doomed->create(win.root, {0, 0, 10, 10});
    if (target_visible) doomed->set_visible(false);
    destroy_on(doomed, target_visible ? event_type::shown : event_type::hidden);
    platform.clear_repaints();
    doomed->set_visible(target_visible);  // writes nothing into the freed widget (sanitizer build)
    EXPECT_EQ(doomed, nullptr);
    EXPECT_TRUE(platform.repaints().empty()) << "no repaint for a widget that is gone";
  }
}

TEST_F(tree_test, create_stops_when_the_shown_callback_destroys_the_widget) {
  auto doomed = std::make_unique<ui::widget>();
  destroy_on(doomed, event_type::shown);
  events.watch(&win.root, "root", {event_type::child_added, event_type::child_removed});
  doomed->create(win.root, {0, 0, 10, 10});
  EXPECT_EQ(doomed, nullptr);
  EXPECT_TRUE(events.names().empty());
  EXPECT_TRUE(win.root.children().empty());
  EXPECT_EQ(win.focus_order(), std::vector<ui::widget*>{&win.root});
}

TEST_F(tree_test, set_bounds_stops_when_resized_or_moved_destroys_the_widget) {
  for (const event_type code : {event_type::resized, event_type::moved}) {
    auto doomed = std::make_unique<ui::widget>();
    doomed->create(win.root, {0, 0, 10, 10});
    ui::widget child;
    child.create(*doomed, {0, 0, 5, 5});
    child.anchors.right = {true, 0};
    events.watch(&child, "child", {event_type::parent_resized, event_type::parent_moved});
    destroy_on(doomed, code);
    platform.clear_repaints();
    // With resized, the size and the position change together.
    doomed->set_bounds(code == event_type::resized ? ui::rect{1, 1, 20, 20} : ui::rect{1, 1, 10, 10});
    EXPECT_EQ(doomed, nullptr);
    EXPECT_TRUE(events.names().empty()) << "children of a widget that is gone hear nothing";
    EXPECT_EQ(child.x(), 0);
    EXPECT_TRUE(platform.repaints().empty());
    events.clear();
  }
}

TEST_F(tree_test, a_focus_lost_callback_that_destroys_the_new_widget_sends_the_focus_to_the_root) {
  ui::widget first;
  first.create(win.root, {0, 0, 50, 50});
  auto second = std::make_unique<ui::widget>();
  second->create(win.root, {60, 0, 50, 50});
  win.set_focus(&first, ui::focus_reason::mouse);
  ui::connect(&first, event_type::focus_lost, [&](const ui::event_info&) { second.reset(); });
  events.watch(&win.root, "root", {event_type::focus_gained, event_type::focus_lost});
  win.set_focus(second.get(), ui::focus_reason::keyboard);
  EXPECT_EQ(win.focused(), &win.root);
  EXPECT_EQ(events.names(), strings{"root:focus_gained"});
}

TEST_F(tree_test, set_focus_from_a_focus_lost_callback_leaves_one_focused_widget_with_paired_events) {
  ui::widget a, b, c;
  for (ui::widget* w : {&a, &b, &c}) w->create(win.root, {0, 0, 10, 10});
  win.set_focus(&a, ui::focus_reason::mouse);
  for (auto [w, label] : {std::pair{&a, "a"}, {&b, "b"}, {&c, "c"}}) {
    events.watch(w, label, {event_type::focus_gained, event_type::focus_lost});
  }
  bool redirected = false;
  ui::connect(&a, event_type::focus_lost, [&](const ui::event_info&) {
    if (!redirected) {
      redirected = true;
      win.set_focus(&c, ui::focus_reason::keyboard);
    }
  });
  win.set_focus(&b, ui::focus_reason::mouse);
  EXPECT_EQ(win.focused(), &c);
  EXPECT_EQ(events.names(), (strings{"a:focus_lost", "c:focus_gained"}));
  // The pairing holds on: the next move takes the focus from c.
  win.set_focus(&b, ui::focus_reason::mouse);
  EXPECT_EQ(events.names(), (strings{"a:focus_lost", "c:focus_gained", "c:focus_lost", "b:focus_gained"}));
}

TEST_F(tree_test, tab_passes_over_widgets_that_remove_child_took_out_of_the_tree) {
  ui::widget panel, inside, after;
  panel.create(win.root, {0, 0, 50, 50});
  inside.create(panel, {0, 0, 10, 10});
  after.create(win.root, {60, 0, 10, 10});
  for (ui::widget* w : {&panel, &inside, &after}) w->tab_stop = true;
  win.root.remove_child(panel);  // panel and inside are out; both stay visible and enabled
  win.focus_next();
  EXPECT_EQ(win.focused(), &after);
  win.focus_next();
  EXPECT_EQ(win.focused(), &after);
  win.focus_previous();
  EXPECT_EQ(win.focused(), &after);

  win.root.add_child(panel);  // back in the tree: Tab reaches both again
  win.focus_next();
  EXPECT_EQ(win.focused(), &panel);
  win.focus_next();
  EXPECT_EQ(win.focused(), &inside);
}
