#include "tree_fixture.h"

#include <stdexcept>

using ui::event_type;

namespace {

// Root, then x, y, z (tab stops) and plain (no tab stop), in creation order.
class focus_test : public tree_test {
protected:
  focus_test() {
    for (ui::widget* w : {&x, &y, &z, &plain}) w->create(win.root, {0, 0, 10, 10});
    x.tab_stop = y.tab_stop = z.tab_stop = true;
  }
  ui::widget* tab() {
    win.focus_next();
    return win.focused();
  }
  ui::widget* back_tab() {
    win.focus_previous();
    return win.focused();
  }

  ui::widget x, y, z, plain;
};

}  // namespace

TEST_F(focus_test, set_focus_fires_lost_then_gained_with_the_reason) {
  events.watch(&win.root, "root", {event_type::focus_lost, event_type::focus_gained});
  events.watch(&x, "x", {event_type::focus_lost, event_type::focus_gained});
  win.set_focus(&x, ui::focus_reason::popup_default);
  win.set_focus(&x, ui::focus_reason::mouse);  // already focused: nothing
  x.set_enabled(false);
  win.set_focus(&win.root, ui::focus_reason::keyboard);  // lost even when disabled
  win.set_focus(&x, ui::focus_reason::keyboard);         // no gained for a disabled widget
  EXPECT_EQ(events.names(), (strings{"root:focus_lost", "x:focus_gained", "x:focus_lost", "root:focus_gained",
                                     "root:focus_lost"}));
  EXPECT_EQ(events.events()[1].value, 2u);
  EXPECT_EQ(events.events()[2].value, 1u);
  EXPECT_EQ(win.focused(), &x);

  ui::window other;
  other.create_tree({0, 0, 10, 10});
  EXPECT_THROW(win.set_focus(&other.root, ui::focus_reason::mouse), std::invalid_argument);
  EXPECT_EQ(win.focused(), &x);
}

TEST_F(focus_test, tab_walks_the_creation_order_and_wraps) {
  EXPECT_EQ(tab(), &x);
  EXPECT_EQ(tab(), &y);
  EXPECT_EQ(tab(), &z);
  EXPECT_EQ(tab(), &x);
  EXPECT_EQ(back_tab(), &z);
  EXPECT_EQ(back_tab(), &y);
}

TEST_F(focus_test, shift_tab_from_a_widget_that_is_no_tab_stop_passes_over_the_nearest_one) {
  EXPECT_EQ(back_tab(), &y);  // from the root: z is passed over
  win.set_focus(&plain, ui::focus_reason::mouse);
  EXPECT_EQ(back_tab(), &y);
  win.set_focus(&plain, ui::focus_reason::mouse);
  EXPECT_EQ(tab(), &x);
}

TEST_F(focus_test, hidden_and_disabled_tab_stops_are_skipped) {
  y.set_visible(false);
  EXPECT_EQ(tab(), &x);
  EXPECT_EQ(tab(), &z);
  x.set_enabled(false);
  EXPECT_EQ(tab(), &z);  // z itself is the only candidate left
  z.set_enabled(false);
  win.set_focus(&win.root, ui::focus_reason::mouse);
  EXPECT_EQ(tab(), &win.root);
  EXPECT_EQ(back_tab(), &win.root);
}

TEST_F(focus_test, without_a_focused_widget_tab_starts_from_the_root) {
  win.set_focus(nullptr, ui::focus_reason::mouse);
  EXPECT_EQ(tab(), &x);
  win.set_focus(nullptr, ui::focus_reason::mouse);
  EXPECT_EQ(back_tab(), &y);

  ui::window empty;  // no tree yet: nothing to walk
  empty.focus_next();
  empty.focus_previous();
  EXPECT_EQ(empty.focused(), &empty.root);
}
