#include "tree_fixture.h"

#include <algorithm>
#include <stdexcept>

using ui::event_type;

namespace {

using edges = ui::edge_rect;

}  // namespace

TEST_F(tree_test, root_creation_names_places_and_focuses_the_root) {
  EXPECT_EQ(win.root.name(), "BaseWidget");
  EXPECT_EQ(win.root.bounds(), (ui::rect{0, 0, 200, 100}));  // the client position is not used
  EXPECT_EQ(win.root.window(), &win);
  EXPECT_EQ(win.focused(), &win.root);
  EXPECT_EQ(win.focus_order(), std::vector<ui::widget*>{&win.root});
  EXPECT_TRUE(win.root.is_visible());
  EXPECT_THROW(win.create_tree({0, 0, 10, 10}), std::logic_error);
}

TEST_F(tree_test, create_fires_shown_then_child_added_then_created) {
  ui::widget child;
  EXPECT_EQ(child.name(), "Widget");
  EXPECT_FALSE(child.is_visible());
  bool parent_known_when_shown = false;
  ui::connect(&child, event_type::shown,
              [&](const ui::event_info&) { parent_known_when_shown = child.parent() == &win.root; });
  events.watch(&child, "child", {event_type::shown, event_type::created});
  events.watch(&win.root, "root", {event_type::child_added});
  child.create(win.root, {5, 6, 7, 8});

  EXPECT_EQ(events.names(), (strings{"child:shown", "root:child_added", "child:created"}));
  EXPECT_EQ(events.events()[1].value, ui::pointer_value(&child));
  EXPECT_TRUE(parent_known_when_shown);
  EXPECT_TRUE(child.is_visible() && child.is_enabled() && child.is_created());
  EXPECT_EQ(child.bounds(), (ui::rect{5, 6, 7, 8}));
  EXPECT_EQ(win.focus_order().back(), &child);
}

TEST_F(tree_test, create_rejects_a_second_creation_and_cycles_without_changing_anything) {
  ui::widget a;
  ui::widget b;
  a.create(win.root, {0, 0, 10, 10});
  b.create(a, {0, 0, 5, 5});
  const auto order = win.focus_order();
  EXPECT_THROW(a.create(win.root, {1, 1, 1, 1}), std::logic_error);
  ui::widget loose;
  ui::widget loose_child;
  loose.add_child(loose_child);
  EXPECT_THROW(loose.create(loose_child, {}), std::invalid_argument);
  EXPECT_THROW(loose.create(loose, {}), std::invalid_argument);
  EXPECT_THROW(b.add_child(a), std::invalid_argument);
  EXPECT_THROW(a.add_child(b), std::invalid_argument);  // already its child
  EXPECT_EQ(win.focus_order(), order);
  EXPECT_EQ(a.bounds(), (ui::rect{0, 0, 10, 10}));
  EXPECT_EQ(a.children(), std::vector<ui::widget*>{&b});
}

TEST_F(tree_test, inherited_visibility_is_what_was_last_pushed_down) {
  ui::widget parent;
  ui::widget child;
  ui::widget grandchild;
  parent.create(win.root, {0, 0, 50, 50});
  parent.set_visible(false);
  child.create(parent, {0, 0, 10, 10});
  EXPECT_FALSE(child.is_visible());  // under a hidden parent
  parent.set_visible(true);
  EXPECT_TRUE(child.is_visible());

  // A child added to a visible parent is visible even if a higher ancestor is hidden.
  win.root.set_visible(false);
  EXPECT_FALSE(parent.is_visible());
  grandchild.create(child, {0, 0, 1, 1});
  EXPECT_TRUE(grandchild.is_visible());

  win.root.set_enabled(false);
  EXPECT_FALSE(child.is_enabled());
  win.root.set_enabled(true);
  EXPECT_TRUE(grandchild.is_enabled());
}

TEST_F(tree_test, set_visible_fires_only_on_change_and_before_the_flag_changes) {
  ui::widget w;
  w.create(win.root, {0, 0, 10, 10});
  std::vector<bool> visible_in_callback;
  ui::connect(&w, event_type::hidden,
              [&](const ui::event_info&) { visible_in_callback.push_back(w.is_visible()); });
  events.watch(&w, "w", {event_type::shown, event_type::hidden});
  w.set_visible(true);
  EXPECT_TRUE(events.names().empty());
  w.set_visible(false);
  w.set_visible(false);
  EXPECT_EQ(events.names(), strings{"w:hidden"});
  EXPECT_EQ(visible_in_callback, std::vector<bool>{true});
  w.set_visible(true);
  EXPECT_EQ(events.names(), (strings{"w:hidden", "w:shown"}));
}

TEST_F(tree_test, remove_child_keeps_the_order_and_resets_the_inherited_flags) {
  ui::widget a, b, c;
  for (ui::widget* w : {&a, &b, &c}) w->create(win.root, {0, 0, 1, 1});
  win.root.set_visible(false);
  events.watch(&win.root, "root", {event_type::child_removed});
  win.root.remove_child(b);
  EXPECT_EQ(win.root.children(), (std::vector<ui::widget*>{&a, &c}));
  EXPECT_EQ(b.parent(), nullptr);
  EXPECT_TRUE(b.is_visible());
  EXPECT_EQ(events.events().at(0).value, ui::pointer_value(&b));
  EXPECT_THROW(win.root.remove_child(b), std::invalid_argument);

  // Adding a child that has another parent moves it there.
  a.add_child(c);
  EXPECT_EQ(win.root.children(), std::vector<ui::widget*>{&a});
  EXPECT_EQ(c.parent(), &a);
}

TEST_F(tree_test, set_bounds_before_creation_is_silent) {
  ui::widget w;
  events.watch_all(&w, "w");
  platform.clear_repaints();
  w.set_bounds({1, 2, 3, 4});
  EXPECT_EQ(w.bounds(), (ui::rect{1, 2, 3, 4}));
  EXPECT_TRUE(events.events().empty());
  EXPECT_TRUE(platform.repaints().empty());
}

TEST_F(tree_test, set_bounds_after_creation_fires_with_old_values_and_repaints_old_then_new) {
  ui::widget panel, child;
  panel.create(win.root, {10, 20, 50, 40});
  child.create(panel, {0, 0, 5, 5});
  child.anchors.right = {true, 4};
  events.watch(&panel, "panel", {event_type::resized, event_type::moved});
  events.watch(&child, "child", {event_type::parent_resized, event_type::parent_moved, event_type::resized});
  platform.clear_repaints();

  panel.set_bounds({11, 20, 60, 40});
  EXPECT_EQ(events.names(),
            (strings{"panel:resized", "child:parent_resized", "panel:moved", "child:parent_moved"}));
  EXPECT_EQ(events.events()[0].value, ui::pack_pair(50, 40));
  EXPECT_EQ(events.events()[2].value, ui::pack_pair(10, 20));
  EXPECT_EQ(child.x(), 60 - 4 - 5);  // re-anchored, without events of its own

  std::vector<edges> areas;
  for (const auto& r : platform.repaints()) areas.push_back(r.area);
  const std::vector<edges> expected{{11 + 51, 20, 11 + 51 + 5, 25}, {10, 20, 60, 60}, {11, 20, 71, 60}};
  EXPECT_EQ(areas, expected);  // the anchored child, the old area, the new area

  platform.clear_repaints();
  events.clear();
  panel.set_bounds(panel.bounds());
  EXPECT_TRUE(events.events().empty());
  EXPECT_EQ(platform.repaints().size(), 1u);  // only the (unchanged) new area
}

TEST_F(tree_test, apply_anchors_keeps_distances_to_the_parent_edges) {
  struct anchor_case {
    const char* label;
    ui::widget_anchors anchors;
    ui::rect expected;
  };
  const ui::anchor none{};
  const anchor_case cases[] = {
      {"no anchors", {none, none, none, none}, {10, 20, 30, 40}},
      {"left", {none, none, {true, 3}, none}, {3, 20, 30, 40}},
      {"right", {none, none, none, {true, 5}}, {200 - 5 - 30, 20, 30, 40}},
      {"left and right", {none, none, {true, 3}, {true, 5}}, {3, 20, 200 - 5 - 3, 40}},
      {"top", {{true, 2}, none, none, none}, {10, 2, 30, 40}},
      {"bottom", {none, {true, 6}, none, none}, {10, 100 - 6 - 40, 30, 40}},
      {"top and bottom", {{true, 2}, {true, 6}, none, none}, {10, 2, 30, 100 - 6 - 2}},
  };
  for (const anchor_case& c : cases) {
    SCOPED_TRACE(c.label);
    ui::widget w;
    w.set_bounds({10, 20, 30, 40});
    w.anchors = c.anchors;
    w.apply_anchors(200, 100);
    EXPECT_EQ(w.bounds(), c.expected);
  }
}

TEST_F(tree_test, invalidate_requests_the_area_in_window_coordinates) {
  ui::widget outer, inner;
  outer.create(win.root, {10, 20, 100, 50});
  inner.create(outer, {3, 4, 5, 6});
  platform.clear_repaints();
  inner.invalidate();
  ASSERT_EQ(platform.repaints().size(), 1u);
  EXPECT_EQ(platform.repaints()[0].target, &win);
  EXPECT_EQ(platform.repaints()[0].area, (edges{13, 24, 18, 30}));

  ui::widget loose;  // outside any window: nothing to repaint
  loose.invalidate();
  EXPECT_EQ(platform.repaints().size(), 1u);
}

TEST_F(tree_test, destruction_detaches_from_the_parent_and_orphans_the_children) {
  ui::widget child;
  {
    ui::widget middle;
    middle.create(win.root, {0, 0, 10, 10});
    child.create(middle, {0, 0, 1, 1});
    events.watch(&win.root, "root", {event_type::child_removed});
  }
  EXPECT_EQ(events.names(), strings{"root:child_removed"});
  EXPECT_TRUE(win.root.children().empty());
  EXPECT_EQ(child.parent(), nullptr);
}

TEST_F(tree_test, hiding_two_ancestors_hides_the_grandchild_until_both_are_shown) {
  ui::widget outer, middle, leaf;
  outer.create(win.root, {0, 0, 50, 50});
  middle.create(outer, {0, 0, 40, 40});
  leaf.create(middle, {0, 0, 10, 10});
  outer.set_visible(false);
  middle.set_visible(false);
  EXPECT_FALSE(leaf.is_visible());
  outer.set_visible(true);
  EXPECT_FALSE(leaf.is_visible());  // middle is still hidden
  middle.set_visible(true);
  EXPECT_TRUE(leaf.is_visible());
  // Showing middle pushes its own flag only: the leaf reads visible while
  // outer is hidden, but the hit test (like painting) walks down from the
  // root and stops at outer.
  middle.set_visible(false);
  outer.set_visible(false);
  middle.set_visible(true);
  EXPECT_FALSE(middle.is_visible());
  EXPECT_TRUE(leaf.is_visible());
  EXPECT_EQ(win.hit_test({5, 5}), &win.root);
}

TEST_F(tree_test, shown_during_create_sees_the_new_rectangle_before_the_widget_is_visible_or_created) {
  ui::widget child;
  child.set_enabled(false);
  struct seen_flags {
    ui::rect bounds;
    bool visible, enabled, created, listed_by_parent;
  } seen{};
  ui::connect(&child, event_type::shown, [&](const ui::event_info&) {
    const auto& siblings = win.root.children();
    seen = {child.bounds(), child.own_visible(), child.own_enabled(), child.is_created(),
            std::find(siblings.begin(), siblings.end(), &child) != siblings.end()};
  });
  child.create(win.root, {1, 2, 3, 4});
  EXPECT_EQ(seen.bounds, (ui::rect{1, 2, 3, 4}));
  EXPECT_FALSE(seen.visible);
  EXPECT_TRUE(seen.enabled);  // enabling comes before showing
  EXPECT_FALSE(seen.created);
  EXPECT_FALSE(seen.listed_by_parent);
}

TEST_F(tree_test, parent_resized_sees_the_parents_new_size_before_the_childs_anchors_apply) {
  ui::widget panel, child;
  panel.create(win.root, {0, 0, 100, 50});
  child.create(panel, {0, 0, 10, 10});
  child.anchors.right = {true, 5};
  ui::rect child_seen, panel_seen;
  ui::connect(&child, event_type::parent_resized, [&](const ui::event_info&) {
    child_seen = child.bounds();
    panel_seen = panel.bounds();
  });
  panel.set_bounds({0, 0, 80, 50});
  EXPECT_EQ(panel_seen, (ui::rect{0, 0, 80, 50}));
  EXPECT_EQ(child_seen, (ui::rect{0, 0, 10, 10}));  // anchors are applied after the event
  EXPECT_EQ(child.bounds(), (ui::rect{65, 0, 10, 10}));
}
