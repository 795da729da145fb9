// Window timers on the headless platform, where the test moves the clock.
#include "hbsdk/ui/event_info.h"
#include "hbsdk/ui/event_registry.h"
#include "hbsdk/ui/testing/test_platform.h"
#include "hbsdk/ui/window.h"
#include "hbsdk/ui/window_message.h"

#include <gtest/gtest.h>

namespace ui = hbsdk::ui;
namespace support = hbsdk::ui::test_support;

// Native timers repeat until they are stopped. A one-shot timer whose callback
// runs a pop-up's loop for longer than its interval must not fire inside it.
TEST(native_window_timers, a_one_shot_timer_whose_callback_runs_a_nested_loop_fires_once) {
  support::test_platform platform;
  ui::window owner;
  owner.create("owner", {0, 0, 100, 100});
  int fired = 0;
  ui::connect(&owner, ui::event_type::timer, [&](const ui::event_info&) {
    ++fired;
    ui::window popup;
    popup.parent = &owner;
    popup.create("popup", {0, 0, 50, 50});
    platform.on_idle = [&] {
      platform.post(popup, {ui::message::command, 0, 0});  // keeps the loop going; ignored
      if (platform.now() < 100) {
        platform.elapse(10);
      } else {
        popup.close(1);
      }
    };
    popup.run_modal();
    owner.close(2);
  });
  owner.native().set_timer(&owner, 1, 10, true);
  platform.on_idle = [&] { platform.elapse(10); };
  EXPECT_EQ(owner.run_modal(), 2);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(owner.native().timer_count(), 0u);
}
