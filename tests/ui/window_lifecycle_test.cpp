// Creating, running and closing windows on the headless platform: sizes,
// placement, nested modal loops and timers.
#include "window_fixture.h"

#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/mul_div.h"

#include <stdexcept>

using ui::event_type;

TEST(mul_div, rounds_half_away_from_zero_like_windows) {
  EXPECT_EQ(ui::mul_div(400, 120, 96), 500);
  EXPECT_EQ(ui::mul_div(301, 96, 120), 241);  // 240.8
  EXPECT_EQ(ui::mul_div(5, 1, 2), 3);
  EXPECT_EQ(ui::mul_div(-5, 1, 2), -3);
  EXPECT_EQ(ui::mul_div(7, 1, 0), -1);
  EXPECT_EQ(ui::mul_div(2'000'000'000, 3, 4), 1'500'000'000);  // no overflow in between
}

TEST(window_create, the_client_size_is_scaled_by_the_dpi_and_the_position_is_not) {
  support::test_platform platform;
  platform.set_frame({-4, -30, 4, 4});
  for (const auto& [dpi, pixels] : {std::pair{96, ui::point{400, 300}}, {120, ui::point{500, 375}}}) {
    platform.set_device_dpi({dpi, dpi});
    ui::window w;
    w.create("sized", {600, 200, 400, 300});
    const auto& request = platform.backend_of(w).request();
    EXPECT_EQ(request.x, 600);
    EXPECT_EQ(request.y, 200);
    EXPECT_EQ(request.outer_width, pixels.x + 8) << dpi;
    EXPECT_EQ(request.outer_height, pixels.y + 34) << dpi;
    EXPECT_EQ(request.style, 0x02C80000u);
    EXPECT_EQ(w.root.bounds(), (ui::rect{0, 0, 400, 300}));  // the tree is in dips
    EXPECT_EQ(w.native().client_rect(), (ui::rect{604, 230, 400, 300}));
    EXPECT_FALSE(platform.backend_of(w).is_visible());
    EXPECT_EQ(platform.backend_of(w).title(), u"sized");
  }
}

TEST_F(window_test, create_makes_the_tree_and_cannot_run_twice) {
  EXPECT_TRUE(win.is_created());
  EXPECT_EQ(win.focused(), &win.root);
  EXPECT_EQ(win.root.name(), "BaseWidget");
  EXPECT_EQ(win.root.window(), &win);
  EXPECT_THROW(win.create("again", {0, 0, 1, 1}), std::logic_error);
  EXPECT_EQ(platform.cursor(), ui::cursor_shape::arrow);
}

TEST_F(window_test, move_resize_and_client_rect_agree_through_the_frame) {
  platform.set_frame({-3, -20, 3, 3});
  platform.set_device_dpi({120, 120});
  ui::window w;
  w.create("framed", {10, 10, 100, 80});
  w.native().move_resize({50, 60, 200, 100});
  EXPECT_EQ(platform.backend_of(w).outer_rect(), (ui::edge_rect{50, 60, 50 + 250 + 6, 60 + 125 + 23}));
  EXPECT_EQ(w.native().client_rect(), (ui::rect{53, 80, 200, 100}));
}

TEST_F(window_test, centre_puts_the_client_area_in_the_middle_of_the_owner) {
  ui::window popup;
  popup.parent = &win;
  popup.create("popup", {0, 0, 100, 60});
  popup.native().centre();
  // The owner's outer rectangle is (100, 50)-(500, 350); the client area is centred.
  EXPECT_EQ(platform.backend_of(popup).outer_rect(), (ui::edge_rect{250, 170, 350, 230}));
}

TEST(window_centre, without_an_owner_the_screen_is_the_reference_and_the_work_area_bounds_it) {
  support::test_platform platform;
  platform.set_screen_size({1000, 800});
  platform.set_work_area({0, 0, 1000, 760});
  ui::window w;
  w.create("alone", {5, 5, 200, 100});
  w.native().centre();
  EXPECT_EQ(platform.backend_of(w).outer_rect(), (ui::edge_rect{400, 350, 600, 450}));

  // Larger than the work area: the left and top edges end one pixel inside it.
  platform.set_work_area({10, 20, 900, 700});
  ui::window huge;
  huge.create("huge", {0, 0, 1200, 900});
  huge.native().centre();
  const ui::edge_rect outer = platform.backend_of(huge).outer_rect();
  EXPECT_EQ(outer.left, 11);
  EXPECT_EQ(outer.top, 21);
}

TEST_F(window_test, run_modal_shows_the_window_and_close_from_a_callback_returns_its_result) {
  ui::widget button;
  button.create(win.root, {0, 0, 50, 50});
  ui::connect(&button, event_type::mouse_up, [&](const ui::event_info&) { win.close(3); });
  events.watch(&win, "window", {event_type::shown, event_type::hidden});
  bool painted_when_shown = false;
  platform.on_idle = [&] {
    painted_when_shown = drawing().frames() > 0;
    point_at(10, 10);
    platform.post(win, {msg::left_button_up, 0, 0});
    platform.post(win, {msg::key_down, 'X', 0});  // after the loop ended: left queued
  };
  std::vector<std::uint64_t> keys;
  ui::connect(&win, event_type::key_down, [&](const ui::event_info& e) { keys.push_back(e.value); });
  EXPECT_EQ(win.run_modal(), 3);
  EXPECT_TRUE(painted_when_shown);  // shown and updated before the loop pumps
  EXPECT_EQ(events.names(), (strings{"window:shown", "window:hidden"}));
  EXPECT_FALSE(native().is_visible());
  EXPECT_FALSE(win.native().running());
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(platform.queued(), 1u);  // the key after the end waits for the next loop

  // The window can be run again; result starts at 0 each time, and the key
  // left over is delivered now.
  platform.on_idle = [&] { platform.post(win, {msg::close, 0, 0}); };
  EXPECT_EQ(win.run_modal(), 0);
  EXPECT_EQ(keys, std::vector<std::uint64_t>{'X'});
}

TEST_F(window_test, a_popup_disables_its_owner_and_enables_and_focuses_it_when_it_ends) {
  win.native().backend().set_enabled(false);  // disabled by other code before
  ui::window popup;
  popup.parent = &win;
  popup.create("popup", {0, 0, 100, 60});
  bool owner_enabled_during_loop = true;
  platform.on_idle = [&] {
    owner_enabled_during_loop = native().enabled();
    popup.close(1);
    platform.post(popup, {msg::paint, 0, 0});  // something to take: the loop sees running false
  };
  const int focus_before = native().focus_requests();
  EXPECT_EQ(popup.run_modal(), 1);
  EXPECT_FALSE(owner_enabled_during_loop);
  EXPECT_TRUE(native().enabled());
  EXPECT_EQ(native().focus_requests(), focus_before + 1);
}

TEST_F(window_test, a_nested_loop_runs_inside_a_callback_of_the_outer_one) {
  ui::window popup;
  popup.parent = &win;
  popup.create("popup", {0, 0, 100, 60});
  std::vector<std::string> steps;
  ui::connect(&win, event_type::key_down, [&](const ui::event_info&) {
    steps.push_back("outer callback");
    steps.push_back("popup " + std::to_string(popup.run_modal()));
  });
  ui::connect(&popup, event_type::key_down, [&](const ui::event_info&) { popup.close(7); });
  int idle = 0;
  platform.on_idle = [&] {
    switch (idle++) {
      case 0: platform.post(win, {msg::key_down, 'A', 0}); break;
      case 1: platform.post(popup, {msg::key_down, 'B', 0}); break;
      default: platform.post(win, {msg::close, 0, 0}); break;
    }
  };
  EXPECT_EQ(win.run_modal(), 0);
  EXPECT_EQ(steps, (strings{"outer callback", "popup 7"}));
}

TEST_F(window_test, a_loop_without_a_message_source_fails_instead_of_hanging) {
  EXPECT_THROW(win.run_modal(), std::logic_error);
}

TEST_F(window_test, timers_fire_with_their_user_key_and_one_shots_are_removed_after_their_callbacks) {
  ui::widget target;
  target.create(win.root, {0, 0, 10, 10});
  std::vector<std::string> fired;
  std::size_t timers_during_callback = 0;
  ui::connect(&target, event_type::timer, [&](const ui::event_info& e) {
    fired.push_back("target " + std::to_string(e.value));
    timers_during_callback = win.native().timer_count();
  });
  ui::connect(&win, event_type::timer, [&](const ui::event_info& e) { fired.push_back("window " + std::to_string(e.value)); });
  const auto once = win.native().set_timer(&target, 4, 250, true);
  win.native().set_timer(&win, 9, 100, false);
  EXPECT_EQ(native().timers().at(once).interval, 250u);

  platform.elapse(300);
  int idle = 0;
  platform.on_idle = [&] {
    if (idle++ == 0) {
      platform.elapse(100);
    } else {
      platform.post(win, {msg::close, 0, 0});
    }
  };
  win.run_modal();
  EXPECT_EQ(fired, (strings{"window 9", "window 9", "target 4", "window 9", "window 9"}));
  EXPECT_EQ(timers_during_callback, 2u);  // still listed while its callbacks run
  EXPECT_EQ(win.native().timer_count(), 1u);
  EXPECT_FALSE(native().timers().contains(once));

  // Unknown ids, and killing what does not exist, change nothing.
  EXPECT_EQ(send(msg::timer, 12345), 0);
  win.native().kill_timer(&target, 4);
  win.native().kill_timer(&win, 9);
  EXPECT_EQ(win.native().timer_count(), 0u);
  EXPECT_TRUE(native().timers().empty());
}

TEST_F(window_test, kill_timer_stops_the_first_timer_with_the_key_and_target) {
  const auto first = win.native().set_timer(&win, 1, 100, false);
  const auto second = win.native().set_timer(&win, 1, 100, false);
  win.native().set_timer(&win.root, 1, 100, false);
  win.native().kill_timer(&win, 1);
  EXPECT_FALSE(native().timers().contains(first));
  EXPECT_TRUE(native().timers().contains(second));
  EXPECT_EQ(win.native().timer_count(), 2u);
}

TEST_F(window_test, a_destroyed_widget_takes_its_timers_with_it) {
  auto target = std::make_unique<ui::widget>();
  target->create(win.root, {0, 0, 10, 10});
  win.native().set_timer(target.get(), 2, 50, false);
  target.reset();
  EXPECT_EQ(win.native().timer_count(), 0u);
  EXPECT_TRUE(native().timers().empty());
}
