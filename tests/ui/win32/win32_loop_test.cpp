// The modal loop on the Windows message queue: real timers, a nested loop
// with its owner disabled, closing from a callback, and exceptions thrown by
// callbacks, which reach the loop without unwinding through Windows frames.
#include "ui/win32/native_window_fixture.h"

#include "hbsdk/ui/event_info.h"

#include <stdexcept>

using namespace hb_test;

TEST_F(native_window_test, a_one_shot_timer_fires_once_and_a_killed_repeating_timer_stops) {
  panel_window probe;
  int once = 0;
  int repeating = 0;
  ui::connect(&probe, ui::event_type::timer, [&](const ui::event_info& info) {
    if (info.value == 1) ++once;
    if (info.value == 2 && ++repeating == 3) {
      probe.native().kill_timer(&probe, 2);
      // Time for more ticks of both, had they not stopped.
      probe.native().set_timer(&probe, 3, 150, true);
    }
    if (info.value == 3) probe.close(7);
  });
  probe.native().set_timer(&probe, 1, 20, true);
  probe.native().set_timer(&probe, 2, 30, false);
  EXPECT_EQ(probe.run_modal(), 7);
  EXPECT_EQ(once, 1);
  EXPECT_EQ(repeating, 3);
  EXPECT_EQ(probe.native().timer_count(), 0u);
  EXPECT_FALSE(IsWindowVisible(probe.hwnd()));
}

TEST_F(native_window_test, a_nested_loop_disables_its_owner_until_it_ends) {
  panel_window owner("owner");
  BOOL owner_enabled_inside = TRUE;
  std::int32_t popup_result = 0;
  ui::connect(&owner, ui::event_type::timer, [&](const ui::event_info&) {
    panel_window popup("popup", &owner);
    ui::connect(&popup, ui::event_type::timer, [&](const ui::event_info&) {
      owner_enabled_inside = IsWindowEnabled(owner.hwnd());
      popup.close(5);
    });
    popup.native().set_timer(&popup, 1, 20, true);
    popup_result = popup.run_modal();
    owner.close(1);
  });
  owner.native().set_timer(&owner, 1, 20, true);
  EXPECT_EQ(owner.run_modal(), 1);
  EXPECT_EQ(popup_result, 5);
  EXPECT_FALSE(owner_enabled_inside);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

TEST_F(native_window_test, an_exception_from_a_callback_comes_out_of_dispatch) {
  panel_window probe;
  show(probe);
  int keys = 0;
  ui::connect(&probe, ui::event_type::key_down, [&](const ui::event_info& info) {
    ++keys;
    if (info.value == 'X') throw std::runtime_error("thrown by a callback");
  });
  PostMessageW(probe.hwnd(), WM_KEYDOWN, 'X', 0);
  try {
    pump_until([] { return false; });
    ADD_FAILURE() << "the exception did not come out of the message pump";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "thrown by a callback");
  }
  // The window goes on working, and the exception is not thrown again.
  PostMessageW(probe.hwnd(), WM_KEYDOWN, 'Y', 0);
  EXPECT_TRUE(pump_until([&] { return keys == 2; }));
}

TEST_F(native_window_test, an_exception_from_a_paint_comes_out_of_run_modal) {
  panel_window probe;
  ui::connect(&probe.right, ui::event_type::paint, [](const ui::event_info&) { throw std::logic_error("paint failed"); });
  EXPECT_THROW(probe.run_modal(), std::logic_error);
  // The renderer's scopes were closed on the way out.
  EXPECT_EQ(probe.renderer().open_scopes(), 0u);
}

TEST_F(native_window_test, an_exception_from_a_nested_loop_passes_through_the_outer_one) {
  panel_window owner("owner");
  ui::connect(&owner, ui::event_type::timer, [&](const ui::event_info&) {
    panel_window popup("popup", &owner);
    ui::connect(&popup, ui::event_type::timer, [](const ui::event_info&) { throw std::out_of_range("inner"); });
    popup.native().set_timer(&popup, 1, 10, true);
    popup.run_modal();
  });
  owner.native().set_timer(&owner, 1, 10, true);
  EXPECT_THROW(owner.run_modal(), std::out_of_range);
}
