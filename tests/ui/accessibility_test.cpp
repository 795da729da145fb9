// What a window tells screen readers: which widgets it lists and their
// numbers, the description's state and bounds, the change notifications its
// backend gets, and default actions queued until the message loop runs them.
#include "window_fixture.h"

#include <memory>

namespace {

using ui::accessible_change;
using record = support::headless_window_backend::accessibility_record;

// A widget that describes itself as a push button and counts its presses.
class pressable : public ui::widget {
public:
  std::string caption = "Press me";
  int presses = 0;

protected:
  void describe_self(ui::accessible_description& into) const override {
    into.role = ui::accessible_role::push_button;
    into.name = caption;
    into.default_action = "Press";
  }
  bool act_by_default() override {
    ++presses;
    return true;
  }
};

// Static text without an action.
class caption_text : public ui::widget {
protected:
  void describe_self(ui::accessible_description& into) const override {
    into.role = ui::accessible_role::static_text;
    into.name = "Hello";
  }
};

class accessibility_test : public window_test {
protected:
  accessibility_test() {
    panel.create(win.root, {10, 20, 200, 100});
    text.create(panel, {5, 6, 50, 10});
    first.create(panel, {30, 40, 60, 20});
    second.create(win.root, {250, 200, 60, 20});
    first.tab_stop = true;
    native().clear_accessibility_events();
  }
  const std::vector<record>& seen() { return native().accessibility_events(); }

  ui::widget panel;  // not described: its described children are listed
  caption_text text;
  pressable first;
  pressable second;
};

TEST_F(accessibility_test, the_window_lists_shown_described_widgets_in_tree_order_numbered_from_one) {
  const std::vector<ui::widget*> expected{&text, &first, &second};
  EXPECT_EQ(win.accessible_children(), expected);
  EXPECT_EQ(win.accessible_id(text), 1);
  EXPECT_EQ(win.accessible_id(second), 3);
  EXPECT_EQ(win.accessible_id(panel), 0);
  EXPECT_EQ(win.accessible_child(2), &first);
  EXPECT_EQ(win.accessible_child(0), nullptr);
  EXPECT_EQ(win.accessible_child(4), nullptr);
  EXPECT_EQ(win.accessible_child(-1), nullptr);

  // A hidden parent hides its described children; the others keep their
  // numbers, and so do the hidden ones once they are shown again.
  panel.set_visible(false);
  EXPECT_EQ(win.accessible_children(), std::vector<ui::widget*>{&second});
  EXPECT_EQ(win.accessible_id(second), 3);
  EXPECT_EQ(win.accessible_id(first), 0);
  EXPECT_EQ(win.accessible_child(2), nullptr);
  EXPECT_EQ(win.accessible_child(3), &second);
  EXPECT_EQ(seen(), (std::vector<record>{{accessible_change::structure, 0}}));
  panel.set_visible(true);
  EXPECT_EQ(win.accessible_id(first), 2);
}

TEST_F(accessibility_test, numbers_are_given_on_first_listing_and_never_given_again) {
  panel.set_visible(false);
  EXPECT_EQ(win.accessible_id(second), 1);  // the first one asked for
  panel.set_visible(true);
  EXPECT_EQ(win.accessible_id(first), 3);  // given in tree order
  EXPECT_EQ(win.accessible_id(text), 2);
  auto late = std::make_unique<pressable>();
  late->create(win.root, {0, 0, 5, 5});
  EXPECT_EQ(win.accessible_id(*late), 4);
  late.reset();
  auto later = std::make_unique<pressable>();
  later->create(win.root, {0, 0, 5, 5});
  EXPECT_EQ(win.accessible_child(4), nullptr);  // the gone widget's number stays unused
  EXPECT_EQ(win.accessible_id(*later), 5);
}

TEST_F(accessibility_test, descriptions_carry_window_bounds_and_state) {
  const ui::accessible_description window_self = win.describe();
  EXPECT_EQ(window_self.role, ui::accessible_role::dialog);
  EXPECT_EQ(window_self.name, "test window");
  EXPECT_EQ(window_self.bounds, (ui::rect{0, 0, 400, 300}));

  ui::accessible_description described = first.describe();
  EXPECT_EQ(described.role, ui::accessible_role::push_button);
  EXPECT_EQ(described.name, "Press me");
  EXPECT_EQ(described.bounds, (ui::rect{40, 60, 60, 20}));  // the panel's offset added
  EXPECT_TRUE(described.has(ui::accessible_state::focusable));
  EXPECT_FALSE(described.has(ui::accessible_state::focused));
  EXPECT_FALSE(described.has(ui::accessible_state::unavailable));
  EXPECT_FALSE(second.describe().has(ui::accessible_state::focusable));

  win.set_focus(&first, ui::focus_reason::keyboard);
  EXPECT_TRUE(first.describe().has(ui::accessible_state::focused));
  // Disabling the parent makes the child unavailable too.
  panel.set_enabled(false);
  EXPECT_TRUE(first.describe().has(ui::accessible_state::unavailable));
  EXPECT_TRUE(text.describe().has(ui::accessible_state::unavailable));
  EXPECT_EQ(panel.describe().role, ui::accessible_role::none);
}

TEST_F(accessibility_test, focus_state_and_text_changes_reach_the_backend_with_the_childs_number) {
  win.set_focus(&second, ui::focus_reason::keyboard);
  win.set_focus(&win.root, ui::focus_reason::mouse);  // not described: the window itself
  first.set_enabled(false);
  first.set_enabled(true);
  // A parent's change reaches its described children whose own flag is set.
  text.set_enabled(false);
  native().clear_accessibility_events();
  panel.set_enabled(false);
  EXPECT_EQ(seen(), (std::vector<record>{{accessible_change::state, 2}}));
  panel.set_enabled(true);
  native().clear_accessibility_events();

  first.notify_accessible(accessible_change::name);
  panel.notify_accessible(accessible_change::name);  // not described: nothing
  second.set_visible(false);
  second.notify_accessible(accessible_change::name);  // hidden: nothing
  EXPECT_EQ(seen(), (std::vector<record>{{accessible_change::name, 2}, {accessible_change::structure, 0}}));
}

TEST_F(accessibility_test, focus_changes_are_reported_in_order) {
  win.set_focus(&second, ui::focus_reason::keyboard);
  win.set_focus(&win.root, ui::focus_reason::mouse);
  first.set_enabled(false);
  EXPECT_EQ(seen(), (std::vector<record>{
                        {accessible_change::focus, 3}, {accessible_change::focus, 0}, {accessible_change::state, 2}}));
}

TEST_F(accessibility_test, default_actions_are_refused_or_queued_until_the_loop_runs_them) {
  EXPECT_FALSE(win.request_default_action(1));   // static text has no action
  EXPECT_FALSE(win.request_default_action(0));   // the window itself
  EXPECT_FALSE(win.request_default_action(9));   // no such child
  second.set_enabled(false);
  EXPECT_FALSE(win.request_default_action(3));   // disabled
  second.set_enabled(true);
  EXPECT_EQ(platform.queued(), 0u);

  ASSERT_TRUE(win.request_default_action(2));
  EXPECT_EQ(first.presses, 0);  // the reader's call returns first
  EXPECT_EQ(platform.queued(), 1u);
  send(msg::accessible_action);
  EXPECT_EQ(first.presses, 1);
  send(msg::accessible_action);  // each request runs once
  EXPECT_EQ(first.presses, 1);

  // Disabled between the request and the loop: refused then.
  ASSERT_TRUE(win.request_default_action(3));
  second.set_enabled(false);
  send(msg::accessible_action);
  EXPECT_EQ(second.presses, 0);
}

TEST_F(accessibility_test, a_queued_action_of_a_widget_destroyed_meanwhile_is_dropped) {
  auto doomed = std::make_unique<pressable>();
  doomed->create(win.root, {0, 250, 10, 10});
  const std::int32_t id = win.accessible_id(*doomed);
  ASSERT_TRUE(win.request_default_action(id));
  ASSERT_TRUE(win.request_default_action(2));
  doomed.reset();
  send(msg::accessible_action);
  EXPECT_EQ(first.presses, 1);
}

}  // namespace
