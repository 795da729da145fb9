// The window procedure's message table, on the headless platform: what each
// native message turns into.
#include "window_fixture.h"

#include "hbsdk/ui/event_info.h"

using ui::event_type;

namespace {

class messages_test : public window_test {
protected:
  messages_test() {
    left.create(win.root, {0, 0, 200, 300});
    right.create(win.root, {200, 0, 200, 300});
    for (auto [w, label] : {std::pair{&left, "left"}, {&right, "right"}}) {
      events.watch(w, label,
                   {event_type::mouse_down, event_type::mouse_up, event_type::mouse_move, event_type::mouse_enter,
                    event_type::mouse_leave, event_type::mouse_wheel});
    }
  }
  ui::widget left, right;
};

}  // namespace

TEST_F(messages_test, the_first_move_after_entering_only_starts_tracking) {
  point_at(10, 10);
  EXPECT_EQ(send(msg::mouse_move), 1);
  EXPECT_TRUE(events.events().empty());
  EXPECT_TRUE(win.mouse_tracking);
  EXPECT_EQ(native().leave_requests(), 1);
  EXPECT_EQ(send(msg::mouse_move), 0);
  EXPECT_EQ(events.names(), strings{"left:mouse_enter"});

  // Leaving ends tracking: the next move only starts it again.
  EXPECT_EQ(send(msg::mouse_leave), 0);
  EXPECT_FALSE(win.mouse_tracking);
  point_at(300, 10);
  send(msg::mouse_move);
  EXPECT_EQ(events.names(), (strings{"left:mouse_enter", "left:mouse_leave"}));
  send(msg::mouse_move);
  EXPECT_EQ(events.names().back(), "right:mouse_enter");
  EXPECT_EQ(native().leave_requests(), 2);
}

TEST_F(messages_test, buttons_map_to_their_values_and_double_clicks_need_a_list) {
  point_at(10, 10);
  const std::pair<std::uint32_t, std::string> presses[] = {
      {msg::left_button_down, "left:mouse_down=0"},  {msg::left_button_up, "left:mouse_up=0"},
      {msg::middle_button_down, "left:mouse_down=1"}, {msg::middle_button_up, "left:mouse_up=1"},
      {msg::right_button_down, "left:mouse_down=2"},  {msg::right_button_up, "left:mouse_up=2"},
      {msg::left_button_double_click, "left:mouse_down=0"},  // no double-click list: a press
      {msg::right_button_double_click, "left:mouse_down=2"},
  };
  for (const auto& [code, expected] : presses) {
    events.clear();
    EXPECT_EQ(send(code), 0);
    ASSERT_EQ(events.events().size(), 1u) << expected;
    const auto& e = events.events()[0];
    EXPECT_EQ(e.label + ":" + support::event_name(e.type) + "=" + std::to_string(e.value), expected);
  }
  std::vector<std::uint64_t> double_clicks;
  ui::connect(&left, event_type::mouse_double_click,
              [&](const ui::event_info& e) { double_clicks.push_back(e.value); });
  send(msg::middle_button_double_click);
  EXPECT_EQ(double_clicks, std::vector<std::uint64_t>{1});

  // A disabled widget with a list still gets neither.
  left.set_enabled(false);
  events.clear();
  send(msg::left_button_double_click);
  EXPECT_TRUE(events.events().empty());
  EXPECT_EQ(double_clicks.size(), 1u);
}

TEST_F(messages_test, a_wheel_notch_is_60_forward_and_minus_60_backward) {
  std::vector<double> deltas;
  ui::connect(&left, event_type::mouse_wheel, [&](const ui::event_info& e) { deltas.push_back(ui::value_double(e.value)); });
  point_at(10, 10);
  send(msg::mouse_wheel, ui::make_wheel_wparam(120));
  send(msg::mouse_wheel, ui::make_wheel_wparam(-120));
  send(msg::mouse_wheel, ui::make_wheel_wparam(-360));
  EXPECT_EQ(deltas, (std::vector<double>{60.0, -60.0, -180.0}));
}

TEST_F(messages_test, keys_characters_and_focus_reach_the_focused_widget_and_the_window) {
  events.watch(&win, "window", {event_type::key_down, event_type::key_up, event_type::focus_gained, event_type::focus_lost});
  events.watch(&win.root, "root", {event_type::key_char});
  send(msg::key_down, 'A');
  send(msg::character, 'a');
  send(msg::key_up, 'A');
  send(msg::kill_focus);
  send(msg::set_focus);
  EXPECT_EQ(events.names(), (strings{"window:key_down", "root:key_char", "window:key_up", "window:focus_lost",
                                     "window:focus_gained"}));
  EXPECT_EQ(events.events()[0].value, 65u);
  EXPECT_EQ(events.events()[1].value, 97u);
}

TEST_F(messages_test, size_resizes_the_renderer_in_pixels_and_the_root_in_dips) {
  platform.set_device_dpi({120, 120});
  ui::window wide;
  wide.create("wide", {0, 0, 400, 300});
  events.watch(&wide.root, "root", {event_type::resized});
  platform.send(wide, {msg::size, 0, ui::make_lparam(600, 450)});
  EXPECT_EQ(platform.drawing_of(wide).width(), 600);
  EXPECT_EQ(platform.drawing_of(wide).height(), 450);
  EXPECT_EQ(wide.root.bounds(), (ui::rect{0, 0, 480, 360}));
  EXPECT_EQ(events.names(), strings{"root:resized"});
}

TEST_F(messages_test, close_ends_the_loop_without_an_event_and_keeps_the_window) {
  events.watch(&win, "window", {event_type::hidden, event_type::shown});
  platform.post(win, {msg::close, 0, 0});
  EXPECT_EQ(win.run_modal(), 0);
  EXPECT_EQ(events.names(), strings{"window:shown"});  // no hidden: close() was not called
  EXPECT_FALSE(native().is_visible());
  EXPECT_EQ(send(msg::close), 1);
}

TEST_F(messages_test, set_cursor_is_left_to_the_platform_until_the_pointer_is_tracked) {
  EXPECT_FALSE(send(msg::set_cursor).has_value());
  point_at(10, 10);
  send(msg::mouse_move);
  EXPECT_EQ(send(msg::set_cursor), 0);
  EXPECT_EQ(send(msg::command), 0);
  EXPECT_FALSE(send(0x0400).has_value());  // WM_USER: not the toolkit's
}

TEST_F(messages_test, paint_draws_the_update_rectangle_and_validates_it) {
  send(msg::paint);  // what creating the widgets invalidated
  EXPECT_EQ(drawing().frames(), 1);
  EXPECT_EQ(native().update_rect(), ui::edge_rect{});
  send(msg::paint);  // nothing waits to be painted: nothing is drawn
  EXPECT_EQ(drawing().frames(), 1);
  left.invalidate();
  EXPECT_EQ(native().update_rect(), (ui::edge_rect{0, 0, 200, 300}));
  send(msg::paint);
  EXPECT_EQ(drawing().frames(), 2);
  EXPECT_EQ(native().update_rect(), ui::edge_rect{});
}
