#include "tree_fixture.h"

#include "hbsdk/ui/cursor_position.h"
#include "hbsdk/ui/virtual_key.h"

#include <algorithm>
#include <utility>

using ui::event_type;

namespace {

// Root 200 x 100 with a (10, 10, 80, 80) holding a1 (0, 0, 40, 40), and b (50, 0, 100, 50) on top of a's
// right part.
class dispatch_test : public tree_test {
protected:
  dispatch_test() {
    a.create(win.root, {10, 10, 80, 80});
    a1.create(a, {0, 0, 40, 40});
    b.create(win.root, {50, 0, 100, 50});
    for (auto [w, label] : {std::pair{&a, "a"}, {&a1, "a1"}, {&b, "b"}, {&win.root, "root"}}) {
      events.watch(
          w, label,
          {event_type::mouse_up, event_type::mouse_down, event_type::mouse_enter, event_type::mouse_leave,
           event_type::mouse_move, event_type::key_down, event_type::key_char, event_type::focus_gained,
           event_type::focus_lost, event_type::files_dropped, event_type::text_composition});
    }
    events.watch(
        &win, "window",
        {event_type::key_down, event_type::key_up, event_type::focus_gained, event_type::focus_lost});
  }

  ui::widget a, a1, b;
};

}  // namespace

TEST_F(dispatch_test, hit_test_finds_the_topmost_visible_widget) {
  struct hit_case {
    ui::point p;
    ui::widget* expected;
  };
  const hit_case cases[] = {
      {{15, 15}, &a1},    {{49, 49}, &a1},        {{50, 49}, &b},      {{60, 60}, &a},
      {{149, 10}, &b},    {{150, 10}, &win.root}, {{0, 0}, &win.root}, {{199, 99}, &win.root},
      {{-1, 5}, nullptr}, {{5, -1}, nullptr},     {{200, 5}, nullptr}, {{5, 100}, nullptr},
  };
  for (const hit_case& c : cases) {
    SCOPED_TRACE(std::to_string(c.p.x) + "," + std::to_string(c.p.y));
    EXPECT_EQ(win.hit_test(c.p), c.expected);
  }
  b.set_enabled(false);
  EXPECT_EQ(win.hit_test({60, 10}), &b);  // disabled widgets still take the hit
  b.set_visible(false);
  EXPECT_EQ(win.hit_test({60, 10}), &a);
  win.root.set_visible(false);
  EXPECT_EQ(win.hit_test({60, 10}), nullptr);
}

TEST_F(dispatch_test, a_press_focuses_and_fires_on_the_enabled_widget_under_the_pointer) {
  dispatch_at(15, 15, event_type::mouse_down, 2);
  EXPECT_EQ(win.focused(), &a1);
  EXPECT_EQ(events.names(), (strings{"root:focus_lost", "a1:focus_gained", "a1:mouse_down"}));
  EXPECT_EQ(events.events().back().value, 2u);

  // A press on a disabled widget does nothing, even with an enabled widget below it.
  events.clear();
  b.set_enabled(false);
  dispatch_at(60, 20, event_type::mouse_down);
  dispatch_at(60, 20, event_type::mouse_up);
  EXPECT_EQ(win.focused(), &a1);
  EXPECT_TRUE(events.events().empty());
}

TEST_F(dispatch_test, a_double_click_is_a_second_press_unless_the_widget_has_a_list) {
  point_at(15, 15);
  const auto click_twice = [&] {
    win.dispatch(event_type::mouse_down, 0);
    win.dispatch(event_type::mouse_up, 0);
    win.dispatch_double_click(0);
    win.dispatch(event_type::mouse_up, 0);
  };
  click_twice();
  const strings without_list{"a1:mouse_down", "a1:mouse_up", "a1:mouse_down", "a1:mouse_up"};
  const strings names = events.names();  // after the focus moving to a1
  EXPECT_EQ(strings(names.begin() + 2, names.end()), without_list);

  events.watch(&a1, "a1", {event_type::mouse_double_click});  // now a1 has a list
  events.clear();
  click_twice();
  EXPECT_EQ(events.names(),
            (strings{"a1:mouse_down", "a1:mouse_up", "a1:mouse_double_click", "a1:mouse_up"}));
}

TEST_F(dispatch_test, the_wheel_bubbles_to_the_first_ancestor_with_a_list) {
  std::vector<std::pair<std::string, double>> wheel;
  ui::connect(&a, event_type::mouse_wheel,
              [&](const ui::event_info& e) { wheel.emplace_back("a", ui::value_double(e.value)); });
  dispatch_at(15, 15, event_type::mouse_wheel, ui::wheel_value(-120));
  EXPECT_EQ(wheel, (std::vector<std::pair<std::string, double>>{{"a", -60.0}}));

  // Nobody on the way has a list: the root is tried last and nothing happens.
  dispatch_at(60, 10, event_type::mouse_wheel, ui::wheel_value(120));
  EXPECT_EQ(wheel.size(), 1u);

  // The ancestors' states are not consulted: c is enabled (its parent's own
  // flag is on) while a1 and a are disabled through the root.
  win.root.set_enabled(false);
  ui::widget c;
  c.create(a1, {0, 0, 5, 5});
  ASSERT_TRUE(c.is_enabled() && !a.is_enabled());
  dispatch_at(12, 12, event_type::mouse_wheel, ui::wheel_value(240));
  EXPECT_EQ(wheel.back(), (std::pair<std::string, double>{"a", 120.0}));
}

TEST_F(dispatch_test, hover_follows_the_pointer_with_enter_move_and_leave) {
  dispatch_at(15, 15, event_type::mouse_move);  // onto a1
  dispatch_at(16, 15, event_type::mouse_move);  // within a1
  win.dispatch(event_type::mouse_leave, 0);     // out of the window over a1
  EXPECT_EQ(win.hovered(), &a1);
  dispatch_at(16, 16, event_type::mouse_move);  // back over a1: a move, not an enter
  EXPECT_EQ(events.names(), (strings{"a1:mouse_enter", "a1:mouse_move", "a1:mouse_leave", "a1:mouse_move"}));

  // Onto a disabled widget: a1 leaves, b hears nothing but becomes hovered.
  events.clear();
  b.set_enabled(false);
  dispatch_at(60, 10, event_type::mouse_move);
  EXPECT_EQ(win.hovered(), &b);
  dispatch_at(15, 15, event_type::mouse_move);
  EXPECT_EQ(events.names(), (strings{"a1:mouse_leave", "a1:mouse_enter"}));
  dispatch_at(500, 500, event_type::mouse_move);
  EXPECT_EQ(win.hovered(), nullptr);
}

TEST_F(dispatch_test, the_mouse_capture_takes_moves_and_releases_while_enabled) {
  ui::set_mouse_capture(&b);
  dispatch_at(15, 15, event_type::mouse_move);
  dispatch_at(15, 15, event_type::mouse_up, 1);
  EXPECT_EQ(events.names(), (strings{"b:mouse_move", "b:mouse_up"}));
  events.clear();
  b.set_enabled(false);
  dispatch_at(15, 15, event_type::mouse_up);
  EXPECT_EQ(events.names(), strings{"a1:mouse_up"});
}

TEST_F(dispatch_test, keys_go_to_the_enabled_focused_widget_and_always_to_the_window) {
  win.set_focus(&a1, ui::focus_reason::mouse);
  events.clear();
  win.dispatch(event_type::key_down, 65);
  a1.set_enabled(false);
  win.dispatch(event_type::key_down, 66);
  win.dispatch(event_type::key_char, 'x');
  win.set_focus(nullptr, ui::focus_reason::mouse);
  win.dispatch(event_type::key_up, 67);
  EXPECT_EQ(events.names(),
            (strings{"a1:key_down", "window:key_down", "window:key_down", "a1:focus_lost", "window:key_up"}));
  EXPECT_EQ(events.events()[2].value, 66u);
}

TEST_F(dispatch_test, tab_characters_move_the_focus_instead_of_being_fired) {
  a.tab_stop = b.tab_stop = true;
  win.dispatch(event_type::key_char, 9);
  EXPECT_EQ(win.focused(), &a);
  win.dispatch(event_type::key_char, 9);
  EXPECT_EQ(win.focused(), &b);
  platform.set_key(ui::virtual_key::shift, true);
  win.dispatch(event_type::key_char, 9);
  EXPECT_EQ(win.focused(), &a);
  win.dispatch(event_type::key_char, 'q');
  const auto names = events.names();
  EXPECT_EQ(std::count(names.begin(), names.end(), "a:key_char"), 1);
  EXPECT_EQ(events.events().back().value, static_cast<std::uint64_t>('q'));
}

TEST_F(dispatch_test, native_focus_changes_reach_the_focused_widget_and_the_window_with_value_0) {
  win.set_focus(&a1, ui::focus_reason::keyboard);
  events.clear();
  win.dispatch(event_type::focus_lost, 5);
  win.dispatch(event_type::focus_gained, 5);
  EXPECT_EQ(win.focused(), &a1);
  EXPECT_EQ(events.names(),
            (strings{"a1:focus_lost", "window:focus_lost", "a1:focus_gained", "window:focus_gained"}));
  for (const auto& e : events.events()) EXPECT_EQ(e.value, 0u);
}

TEST_F(dispatch_test, drops_compositions_resizes_and_other_codes) {
  win.set_focus(&b, ui::focus_reason::mouse);
  events.clear();
  dispatch_at(15, 15, event_type::files_dropped, 1234);
  win.dispatch(event_type::text_composition, 2);
  EXPECT_EQ(events.names(), (strings{"a1:files_dropped", "b:text_composition"}));

  events.watch(&win.root, "root", {event_type::resized});
  events.clear();
  EXPECT_TRUE(win.dispatch(event_type::resized, ui::pack_pair(300, 250)));
  EXPECT_EQ(win.root.bounds(), (ui::rect{0, 0, 300, 250}));
  EXPECT_EQ(events.events().at(0).value, ui::pack_pair(200, 100));

  events.clear();
  EXPECT_TRUE(win.dispatch(event_type::paint, 0));
  EXPECT_TRUE(win.dispatch(static_cast<event_type>(15), 0));
  EXPECT_TRUE(events.events().empty());
}

TEST_F(dispatch_test, cursor_position_converts_to_widget_dips) {
  platform.set_client_origin(win, {100, 50});
  platform.set_pointer({100 + 125, 50 + 37});
  EXPECT_EQ(ui::cursor_position(&win.root), (ui::point{125, 37}));
  EXPECT_EQ(ui::cursor_position(&a1), (ui::point{115, 27}));
  EXPECT_EQ(ui::cursor_position(nullptr), (ui::point{225, 87}));  // screen dips

  platform.set_dpi({120, 144});
  EXPECT_EQ(ui::cursor_position(&win.root), (ui::point{100, 24}));  // 125*96/120, 37*96/144 truncated
  platform.set_pointer({100 - 3, 50 - 3});
  EXPECT_EQ(ui::cursor_position(&win.root), (ui::point{-2, -2}));  // toward zero
  platform.set_dpi({0, 0});
  EXPECT_EQ(ui::cursor_position(&win.root), (ui::point{-3, -3}));  // no DPI: taken as 96

  // The root's own position is not subtracted.
  win.root.set_bounds({7, 7, 200, 100});
  platform.set_dpi({96, 96});
  EXPECT_EQ(ui::cursor_position(&win.root), (ui::point{-3, -3}));
}
