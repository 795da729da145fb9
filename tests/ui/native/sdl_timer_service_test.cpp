// The SDL platform's timers on the user-interface thread, on a clock the
// test sets.
#include "hbsdk/ui/sdl/sdl_timer_service.h"

#include <gtest/gtest.h>

namespace ui = hbsdk::ui;

namespace {

TEST(sdl_timer_service, timers_come_due_in_order_and_repeat_from_when_they_were_taken) {
  ui::sdl_timer_service timers;
  EXPECT_FALSE(timers.time_to_next(0).has_value());
  const std::uint32_t slow = timers.start({1, 10}, 100, 1000);
  const std::uint32_t fast = timers.start({1, 11}, 30, 1000);
  EXPECT_NE(slow, fast);
  EXPECT_EQ(timers.time_to_next(1000), 30u);
  EXPECT_FALSE(timers.take_due(1029).has_value());
  EXPECT_EQ(timers.take_due(1030), (ui::timer_binding{1, 11}));
  EXPECT_EQ(timers.time_to_next(1030), 30u);
  // Both due: the one due first comes first.
  EXPECT_EQ(timers.take_due(1200), (ui::timer_binding{1, 11}));
  EXPECT_EQ(timers.take_due(1200), (ui::timer_binding{1, 10}));
  // Ticks missed while busy come once, and the next interval counts from then.
  EXPECT_FALSE(timers.take_due(1200).has_value());
  EXPECT_EQ(timers.time_to_next(1200), 30u);
}

TEST(sdl_timer_service, a_stopped_timer_never_comes_and_short_intervals_are_10_ms) {
  ui::sdl_timer_service timers;
  const std::uint32_t stopped = timers.start({2, 1}, 20, 0);
  const std::uint32_t quick = timers.start({2, 2}, 0, 0);
  timers.stop(stopped);
  timers.stop(stopped);  // twice is harmless
  EXPECT_EQ(timers.running(), 1u);
  EXPECT_EQ(timers.time_to_next(0), 10u);
  EXPECT_EQ(timers.take_due(50), (ui::timer_binding{2, 2}));
  EXPECT_FALSE(timers.take_due(50).has_value());
  timers.stop(quick);
  EXPECT_FALSE(timers.time_to_next(50).has_value());
  // Tokens are never reused.
  EXPECT_GT(timers.start({2, 3}, 10, 50), quick);
}

}  // namespace
